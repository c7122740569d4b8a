#include <string>

#include <gtest/gtest.h>

#include "spoken_words.h"

namespace quadrell::design {
namespace {

constexpr SpokenLanguage En = SpokenLanguage::English;
constexpr SpokenLanguage It = SpokenLanguage::Italian;

TEST(SpokenWordsTest, LanguageFollowsTheLocaleNameOrTag)
{
    struct Case {
        const char* locale;
        SpokenLanguage language;
    };
    for (const Case& c : {Case{"it_IT.UTF-8", It}, Case{"it_CH", It}, Case{"it-IT", It}, Case{"it", It},
                          Case{"IT-it", It}, Case{"it_IT@euro", It}, Case{"en_GB.UTF-8", En}, Case{"en-US", En},
                          Case{"de_DE", En}, Case{"ita", En}, Case{"C", En}, Case{"POSIX", En}, Case{"", En}})
        EXPECT_EQ(LanguageOfLocale(c.locale), c.language) << c.locale;
}

TEST(SpokenWordsTest, PosixMessagesLocaleTakesTheFirstSetVariable)
{
    struct Case {
        const char *language, *lcAll, *lcMessages, *lang, *chosen;
    };
    for (const Case& c : {Case{"it:en", "en_US.UTF-8", "de_DE", "fr_FR", "it"},
                          Case{"", "it_IT.UTF-8", "en_US", "en_US", "it_IT.UTF-8"},
                          Case{"", "", "it_IT", "en_US", "it_IT"},
                          Case{"", "", "", "it_IT.UTF-8", "it_IT.UTF-8"},
                          Case{":it", "", "", "en_US", "en_US"},  // an empty first entry names nothing
                          Case{"", "", "", "", ""}})
        EXPECT_EQ(MessagesLocale(c.language, c.lcAll, c.lcMessages, c.lang), c.chosen) << c.chosen;
}

TEST(SpokenWordsTest, WordsInEachLanguage)
{
    struct Case {
        SpokenLanguage language;
        std::string box0Clear, box0Set, box7Set, binary, decimal, press;
    };
    for (const Case& c : {Case{En, "Bit of weight 128, clear", "Bit of weight 128, set", "Bit of weight 1, set",
                               "Binary value", "Decimal value", "Press"},
                          Case{It, "Bit di peso 128, non attivo", "Bit di peso 128, attivo", "Bit di peso 1, attivo",
                               "Valore binario", "Valore decimale", "Premi"}}) {
        EXPECT_EQ(BitBoxDescription(c.language, 0, false), c.box0Clear);
        EXPECT_EQ(BitBoxDescription(c.language, 0, true), c.box0Set);
        EXPECT_EQ(BitBoxDescription(c.language, 7, true), c.box7Set);
        EXPECT_EQ(ControlDescription(c.language, Name::Label1), c.binary);
        EXPECT_EQ(ControlDescription(c.language, Name::Label3), c.decimal);
        EXPECT_EQ(PressActionName(c.language), c.press);
        // Captions and entries say what they are by themselves.
        for (Name plain : {Name::Label2, Name::Label4, Name::Text1, Name::Text2, Name::Command1, Name::Check1})
            EXPECT_EQ(ControlDescription(c.language, plain), "");
    }
}

}  // namespace
}  // namespace quadrell::design
