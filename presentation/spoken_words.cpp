#include "spoken_words.h"

#include <algorithm>

#include "bit_box.h"

namespace quadrell::design {

namespace {

struct Words {
    std::string_view bitOfWeight;  // followed by the weight
    std::string_view inSplit;
    std::string_view outsideSplit;
    std::string_view binaryValue;
    std::string_view decimalValue;
    std::string_view press;
    std::string_view binary;        // followed by the binary display
    std::string_view decimal;       // followed by the decimal display
    std::string_view decimalEmpty;  // the empty decimal display
    std::string_view noBitInSplit;
    std::string_view firstBitInSplit;
    std::string_view firstBits;     // followed by the count, then `bitsInSplit`
    std::string_view allBits;       // followed by the count, then `bitsInSplit`
    std::string_view bitsInSplit;
};

constexpr Words English{"Bit of weight ", "in the split", "outside the split", "Binary value", "Decimal value",
                        "Press", "Binary ", "decimal ", "decimal empty, that is 0",
                        "No bit is in the split", "The first bit is in the split", "The first ", "All ",
                        " bits are in the split"};
constexpr Words Italian{"Bit di peso ", "nello split", "fuori dallo split", "Valore binario", "Valore decimale",
                        "Premi", "Binario ", "decimale ", "decimale vuoto, cioè 0",
                        "Nessun bit è nello split", "Il primo bit è nello split", "I primi ", "Tutti gli ",
                        " bit sono nello split"};

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

std::string BitBoxDescription(SpokenLanguage language, int k, SplitPlace place)
{
    const Words& words = WordsOf(language);
    std::string description(words.bitOfWeight);
    description += std::to_string(BitWeight(k));
    if (place != SplitPlace::NoSplit) {
        description += ", ";
        description += place == SplitPlace::Inside ? words.inSplit : words.outsideSplit;
    }
    return description;
}

std::string ByteOutcome(SpokenLanguage language, std::string_view binary, std::string_view decimal)
{
    const Words& words = WordsOf(language);
    std::string outcome(words.binary);
    outcome += binary;
    outcome += ", ";
    if (decimal.empty()) {
        outcome += words.decimalEmpty;
    } else {
        outcome += words.decimal;
        outcome += decimal;
    }
    return outcome;
}

std::string SplitOutcome(SpokenLanguage language, int count)
{
    const Words& words = WordsOf(language);
    if (count <= 0)
        return std::string(words.noBitInSplit);
    if (count == 1)
        return std::string(words.firstBitInSplit);
    std::string outcome(count >= BoxCount ? words.allBits : words.firstBits);
    outcome += std::to_string(std::min(count, BoxCount));
    outcome += words.bitsInSplit;
    return outcome;
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
