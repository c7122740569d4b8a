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
        std::string box0, box0InSplit, box7OutsideSplit, binary, decimal, press;
    };
    for (const Case& c : {Case{En, "Bit of weight 128", "Bit of weight 128, in the split",
                               "Bit of weight 1, outside the split", "Binary value", "Decimal value", "Press"},
                          Case{It, "Bit di peso 128", "Bit di peso 128, nello split", "Bit di peso 1, fuori dallo split",
                               "Valore binario", "Valore decimale", "Premi"}}) {
        EXPECT_EQ(BitBoxDescription(c.language, 0, SplitPlace::NoSplit), c.box0);
        EXPECT_EQ(BitBoxDescription(c.language, 0, SplitPlace::Inside), c.box0InSplit);
        EXPECT_EQ(BitBoxDescription(c.language, 7, SplitPlace::Outside), c.box7OutsideSplit);
        EXPECT_EQ(ControlDescription(c.language, Name::Label1), c.binary);
        EXPECT_EQ(ControlDescription(c.language, Name::Label3), c.decimal);
        EXPECT_EQ(PressActionName(c.language), c.press);
        // Captions and entries say what they are by themselves.
        for (Name plain : {Name::Label2, Name::Label4, Name::Text1, Name::Text2, Name::Command1, Name::Check1})
            EXPECT_EQ(ControlDescription(c.language, plain), "");
    }
}

TEST(SpokenWordsTest, ByteOutcomeSaysBothDisplaysAndWhatAnEmptyOneMeans)
{
    struct Case {
        SpokenLanguage language;
        const char *binary, *decimal, *said;
    };
    for (const Case& c : {Case{En, "00000101", "5", "Binary 00000101, decimal 5"},
                          Case{En, "11111111", "255", "Binary 11111111, decimal 255"},
                          Case{En, "00000000", "", "Binary 00000000, decimal empty, that is 0"},
                          Case{It, "00000101", "5", "Binario 00000101, decimale 5"},
                          Case{It, "00000000", "", "Binario 00000000, decimale vuoto, cioè 0"}})
        EXPECT_EQ(ByteOutcome(c.language, c.binary, c.decimal), c.said);
}

TEST(SpokenWordsTest, SplitOutcomeCountsTheMarkedBits)
{
    struct Case {
        SpokenLanguage language;
        int count;
        const char* said;
    };
    for (const Case& c : {Case{En, 0, "No bit is in the split"}, Case{En, 1, "The first bit is in the split"},
                          Case{En, 3, "The first 3 bits are in the split"}, Case{En, 7, "The first 7 bits are in the split"},
                          Case{En, 8, "All 8 bits are in the split"}, Case{It, 0, "Nessun bit è nello split"},
                          Case{It, 1, "Il primo bit è nello split"}, Case{It, 3, "I primi 3 bit sono nello split"},
                          Case{It, 8, "Tutti gli 8 bit sono nello split"}})
        EXPECT_EQ(SplitOutcome(c.language, c.count), c.said) << c.count;
}

}  // namespace
}  // namespace quadrell::design
