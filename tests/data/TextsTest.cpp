#include <gtest/gtest.h>

#include "data/Money.h"
#include "data/Texts.h"

using namespace tavolin;

TEST(Texts, DatesAndTimesUseTheStoredFormats) {
    EXPECT_EQ(dateText(QDate(2015, 6, 30)), "06/30/2015");
    EXPECT_EQ(dateText(QDate(2026, 1, 2)), "01/02/2026");
    EXPECT_EQ(dateText(QDate()), "");
    const struct {
        QTime time;
        const char* text;
    } times[] = {{QTime(0, 0), "12:00 AM"}, {QTime(0, 5), "12:05 AM"}, {QTime(9, 7), "09:07 AM"},
                 {QTime(12, 0), "12:00 PM"}, {QTime(13, 45), "01:45 PM"}, {QTime(23, 59), "11:59 PM"}};
    for (const auto& c : times) EXPECT_EQ(timeText(c.time), c.text) << c.text;
}

TEST(Texts, DateTextsAreReadStrictlyAndCompareInOrderWhenRearranged) {
    EXPECT_EQ(parseDateText("06/30/2015"), QDate(2015, 6, 30));
    for (const char* bad : {"6/30/2015", "06-30-2015", "2015/06/30", "02/30/2015", "", "06/30/15", "０6/30/2015"})
        EXPECT_FALSE(parseDateText(QString::fromUtf8(bad)).isValid()) << bad;
    EXPECT_EQ(sortableDateText("12/31/2014"), "20141231");
    EXPECT_LT(sortableDateText("12/31/2014"), sortableDateText("01/01/2015"));
    EXPECT_EQ(sortableDateText("nonsense"), "");
}

TEST(Texts, NumbersInTwoDecimalsAndShortestForm) {
    EXPECT_EQ(twoDecimals(129), "129.00");
    EXPECT_EQ(twoDecimals(95.239), "95.24");
    EXPECT_EQ(twoDecimals(-3), "-3.00");
    EXPECT_EQ(shortestForm(12.5), "12.5");
    EXPECT_EQ(shortestForm(100), "100");
    EXPECT_EQ(shortestForm(0), "0");
    EXPECT_EQ(shortestForm(0.1 + 0.2), "0.3");
    EXPECT_EQ(parseNumber(" 95.24 "), 95.24);
    EXPECT_FALSE(parseNumber("N/A"));
    EXPECT_FALSE(parseNumber(""));
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_FALSE(parseInteger("3.5"));
}

TEST(Texts, QuotingDoublesEmbeddedQuotes) {
    EXPECT_EQ(quoted("ADMIN"), "'ADMIN'");
    EXPECT_EQ(quoted("O'Brien"), "'O''Brien'");
    EXPECT_EQ(quoted(""), "''");
    EXPECT_EQ(quoted("''"), "''''''");
}

TEST(Texts, CloseKeyIsDateThenTwelveHourTimeWithSeconds) {
    EXPECT_EQ(closeKey(QDateTime(QDate(2015, 6, 30), QTime(13, 5, 9))), "06302015010509 PM");
    EXPECT_EQ(closeKey(QDateTime(QDate(2015, 1, 2), QTime(0, 0, 0))), "01022015120000 AM");
    EXPECT_EQ(closeKey(QDateTime(QDate(2015, 1, 2), QTime(11, 59, 59))), "01022015115959 AM");
    EXPECT_EQ(closeKey(QDateTime(QDate(2015, 1, 2), QTime(12, 0, 1))), "01022015120001 PM");
}

TEST(Texts, ColoursReadFromNamesHexAndNumbers) {
    const struct {
        const char* text;
        QColor colour;
    } cases[] = {
        {"clRed", QColor(255, 0, 0)},     {"clNavy", QColor(0, 0, 128)},     {"clMoneyGreen", QColor(192, 220, 192)},
        {"$000000FF", QColor(255, 0, 0)}, {"$00B7FFFF", QColor(255, 255, 183)}, {"255", QColor(255, 0, 0)},
        {"16711680", QColor(0, 0, 255)},  {"clBtnFace", QColor(240, 240, 240)}, {"-16777201", QColor(240, 240, 240)},
        {"CLRED", QColor(255, 0, 0)},
    };
    for (const auto& c : cases) {
        const auto got = colourFromText(c.text);
        ASSERT_TRUE(got) << c.text;
        EXPECT_EQ(*got, c.colour) << c.text;
    }
    for (const char* bad : {"", "red", "$GG", "clNoSuchColour", "99999999999"}) EXPECT_FALSE(colourFromText(bad)) << bad;
}

TEST(Texts, ColoursWrittenAsNamesWhenTheyHaveOneElseHex) {
    EXPECT_EQ(colourToText(QColor(255, 0, 0)), "clRed");
    EXPECT_EQ(colourToText(QColor(0, 128, 0)), "clGreen");
    EXPECT_EQ(colourToText(QColor(255, 255, 183)), "$00B7FFFF");
    EXPECT_EQ(colourToText(QColor(1, 2, 3)), "$00030201");
    // Whatever is written reads back as the same colour.
    for (const QColor& c : {QColor(12, 34, 56), QColor(255, 255, 255), QColor(164, 160, 160)})
        EXPECT_EQ(colourFromText(colourToText(c)), c);
}

TEST(Money, ParsesExactAmountsAndRefusesAnythingElse) {
    const struct {
        const char* text;
        qint64 units;
    } good[] = {{"12", 120000}, {"12.5", 125000}, {"-0.0001", -1}, {"0.10", 1000}, {".5", 5000},
                {"+3", 30000},  {"1.23450", 12345}, {" 7 ", 70000}};
    for (const auto& c : good) {
        const auto m = Money::parse(c.text);
        ASSERT_TRUE(m) << c.text;
        EXPECT_EQ(m->units(), c.units) << c.text;
    }
    for (const char* bad : {"", "abc", "1,000", "1.2.3", "1.00001", "--1", ".", "12a", "99999999999999999999"})
        EXPECT_FALSE(Money::parse(bad)) << bad;
}

TEST(Money, RendersShortestTwoAndFourDecimals) {
    EXPECT_EQ(Money::parse("12.50")->shortest(), "12.5");
    EXPECT_EQ(Money::parse("100")->shortest(), "100");
    EXPECT_EQ(Money().shortest(), "0");
    EXPECT_EQ(Money::parse("-5.25")->shortest(), "-5.25");
    EXPECT_EQ(Money::parse("129")->twoDecimals(), "129.00");
    EXPECT_EQ(Money::parse("0.005")->twoDecimals(), "0.01");
    EXPECT_EQ(Money::parse("-0.005")->twoDecimals(), "-0.01");
    EXPECT_EQ(Money::parse("-0.004")->twoDecimals(), "0.00");
    EXPECT_EQ(Money::parse("1.5")->fourDecimals(), "1.5000");
}

TEST(Money, SumsAndCountsNeverLoseACent) {
    // A thousand dimes are exactly a hundred dollars, which doubles cannot promise.
    Money total;
    const Money dime = *Money::parse("0.10");
    for (int i = 0; i < 1000; ++i) total += dime;
    EXPECT_EQ(total, Money::fromWhole(100));
    // Counts times the value per count, as the bank count computes its lines.
    EXPECT_EQ(Money::parse("0.50")->times(*Money::parse("37")).twoDecimals(), "18.50");
    EXPECT_EQ(Money::parse("0.25")->times(*Money::parse("3.5")).fourDecimals(), "0.8750");
    EXPECT_EQ((Money::fromWhole(500) - *Money::parse("512.35")).shortest(), "-12.35");
}
