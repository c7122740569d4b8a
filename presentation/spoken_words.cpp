#include "spoken_words.h"

#include "bit_box.h"

namespace quadrell::design {

namespace {

struct Words {
    std::string_view bitOfWeight;  // followed by the weight
    std::string_view set;
    std::string_view clear;
    std::string_view binaryValue;
    std::string_view decimalValue;
    std::string_view press;
};

constexpr Words English{"Bit of weight ", "set", "clear", "Binary value", "Decimal value", "Press"};
constexpr Words Italian{"Bit di peso ", "attivo", "non attivo", "Valore binario", "Valore decimale", "Premi"};

const Words& WordsOf(SpokenLanguage language)
{
    return language == SpokenLanguage::Italian ? Italian : English;
}

}  // namespace

SpokenLanguage LanguageOfLocale(std::string_view locale)
{
    // The language code is what comes before the territory, code set or modifier.
    const std::string_view code = locale.substr(0, locale.find_first_of("_-.@"));
    const bool italian = code.size() == 2 && (code[0] == 'i' || code[0] == 'I') && (code[1] == 't' || code[1] == 'T');
    return italian ? SpokenLanguage::Italian : SpokenLanguage::English;
}

std::string_view MessagesLocale(std::string_view language, std::string_view lcAll, std::string_view lcMessages,
                                std::string_view lang)
{
    const std::string_view first = language.substr(0, language.find(':'));
    for (std::string_view each : {first, lcAll, lcMessages, lang})
        if (!each.empty())
            return each;
    return {};
}

std::string BitBoxDescription(SpokenLanguage language, int k, bool set)
{
    const Words& words = WordsOf(language);
    std::string description(words.bitOfWeight);
    description += std::to_string(BitWeight(k));
    description += ", ";
    description += set ? words.set : words.clear;
    return description;
}

std::string_view ControlDescription(SpokenLanguage language, Name control)
{
    switch (control) {
    case Name::Label1: return WordsOf(language).binaryValue;
    case Name::Label3: return WordsOf(language).decimalValue;
    default: return {};
    }
}

std::string_view PressActionName(SpokenLanguage language)
{
    return WordsOf(language).press;
}

}  // namespace quadrell::design
