#include <gtest/gtest.h>

#include "TestUtil.h"
#include "core/Zodiac.h"

namespace noctiva::core {
namespace {

using testing::At;

TEST(Zodiac, LongitudeSignAndPosition) {
    struct Case {
        DateSerial ut;
        double longitude;
        int sign;
        const char* text;
    };
    const Case cases[] = {
        {At(2009, 6, 7, 12), 253.9978, 9, "13° 59' Стрельца"},
        {At(2009, 1, 26, 7, 56), 306.4986, 11, "6° 29' Водолея"},
        {At(2000, 1, 6, 6), 279.6839, 10, "9° 41' Козерога"},
        {At(2009, 1, 2, 21), 353.0831, 12, "23° 4' Рыб"},
        {At(2009, 1, 3, 9), 359.4892, 12, "29° 29' Рыб"},
        {At(2009, 1, 3, 10), 0.0270, 1, "0° 1' Овна"},
        {At(2009, 3, 15, 12, 30), 229.2407, 8, "19° 14' Скорпиона"},
        {At(1900, 1, 1), 272.4292, 10, "2° 25' Козерога"},
        {At(2100, 12, 31, 23, 30), 293.6051, 10, "23° 36' Козерога"},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(MoonLongitude(c.ut), c.longitude, 1e-4) << c.text;
        EXPECT_EQ(MoonSign(c.ut), c.sign) << c.text;
        EXPECT_EQ(MoonPositionText(c.ut), c.text);
    }
    EXPECT_EQ(PositionTextOfLongitude(42.5725), "12° 34' Тельца");
}

TEST(Zodiac, LongitudeIgnoresSecondsAndStaysBelow360) {
    EXPECT_DOUBLE_EQ(MoonLongitude(At(2009, 6, 7, 12, 0, 0)),
                     MoonLongitude(At(2009, 6, 7, 12, 0, 59)));
    for (DateSerial d = At(2009, 1, 2, 21); d < At(2009, 1, 3, 10); d += 1.0 / 24) {
        const double l = MoonLongitude(d);
        EXPECT_GE(l, 0);
        EXPECT_LT(l, 360);
    }
}

TEST(Zodiac, SignOfLongitude) {
    const std::pair<double, int> cases[] = {{0, 1}, {29.999, 1}, {30, 2}, {359.99, 12}, {180, 7}};
    for (auto [l, s] : cases) {
        EXPECT_EQ(SignOfLongitude(l), s) << l;
    }
}

TEST(Zodiac, SignTables) {
    struct Case {
        int sign;
        const char* genitive;
        int quality;
        const char* qualityText;
        const char* rise;
    };
    const Case cases[] = {
        {1, "Овна", 1, "День тепла", "Восходящая"},
        {2, "Тельца", 3, "День холода", "Восходящая"},
        {3, "Близнецов", 2, "День света", "Восходящая"},
        {4, "Рака", 4, "День воды", "Нисходящая"},
        {9, "Стрельца", 1, "День тепла", "Нисходящая"},
        {10, "Козерога", 3, "День холода", "Восходящая"},
        {12, "Рыб", 4, "День воды", "Восходящая"},
        {0, "", 0, "День ", "Восходящая"},
        {13, "", 0, "День ", "Восходящая"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SignGenitive(c.sign), c.genitive) << c.sign;
        EXPECT_EQ(DayQuality(c.sign), c.quality) << c.sign;
        EXPECT_EQ(DayQualityText(c.sign), c.qualityText) << c.sign;
        if (c.sign >= 1 && c.sign <= 12) {
            EXPECT_EQ(RiseText(c.sign), c.rise) << c.sign;
        }
    }
    EXPECT_EQ(SignGlyphCode(1), 94);
    EXPECT_EQ(SignGlyphCode(12), 105);
}

TEST(Zodiac, TextHelpers) {
    EXPECT_EQ(ZeroPad(5, 2), "05");
    EXPECT_EQ(ZeroPad(12, 2), "12");
    EXPECT_EQ(ZeroPad(0, 2), "00");
    EXPECT_EQ(ZeroPad(123, 2), "23");
    EXPECT_TRUE(SameCalendarDay(40061.0, 40061.99));
    EXPECT_FALSE(SameCalendarDay(40061.99, 40062.0));
    EXPECT_EQ(MonthName(1), "Январь");
    EXPECT_EQ(MonthName(12), "Декабрь");
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(13), "");
}

}  // namespace
}  // namespace noctiva::core
