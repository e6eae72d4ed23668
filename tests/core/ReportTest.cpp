#include <gtest/gtest.h>

#include "TestUtil.h"
#include "core/DateText.h"
#include "core/Report.h"

namespace noctiva::core {
namespace {

using testing::At;

const FixedZone kMoscow = FixedZone::EastOfGreenwich(180);

TEST(DayReport, AllValuesOfOneLocalInstant) {
    // 7 June 2009 22:00 in Moscow is 19:00 UT, just after the full moon.
    const DayReport r = ComputeDayReport(At(2009, 6, 7, 22), kMoscow);
    EXPECT_DOUBLE_EQ(r.ut, At(2009, 6, 7, 19));
    EXPECT_NEAR(r.age, 14.283253, 1e-6);
    EXPECT_EQ(r.lunarDay, 15);
    EXPECT_EQ(r.visibilityText, "Видимость Луны: 100 %");
    EXPECT_EQ(r.waxWane, 4);
    EXPECT_EQ(r.phaseClass, 3);
    EXPECT_EQ(r.phaseText.rfind("Полнолуние\r\n07.06.2009 21:12:5", 0), 0u);
    EXPECT_EQ(FormatDateTime(r.prevFullMoon).substr(0, 16), "07.06.2009 21:12");
    EXPECT_EQ(FormatDateTime(r.nextFullMoon).substr(0, 16), "07.07.2009 12:22");
    EXPECT_EQ(FormatDateTime(r.prevNewMoon).substr(0, 16), "24.05.2009 15:12");
    EXPECT_EQ(FormatDateTime(r.nextNewMoon).substr(0, 16), "22.06.2009 22:36");
    EXPECT_EQ(r.sign, 9);
    EXPECT_EQ(r.qualityText, "День тепла");
    EXPECT_EQ(r.vn, 2);
    EXPECT_EQ(r.riseText, "Нисходящая");
    const std::array<std::string, 5> pages = {"md_15.htm", "z_09.htm", "f_03.htm", "q_01.htm",
                                              "vn_02.htm"};
    EXPECT_EQ(r.pages, pages);
    EXPECT_EQ(r.trayTip,
              "15 л/д\r\nВидимость 100%\r\n" + r.positionText + "\r\nДень тепла\r\nНисходящая");
}

TEST(DayReport, SharesItsSearchesWithoutChangingAValue) {
    // Every value against the plain operations, over instants that meet new
    // and full moons, day boundaries and both ends of the date range.
    std::vector<DateSerial> instants;
    for (DateSerial d = At(2009, 1, 20, 0, 30); d < At(2009, 3, 1); d += 0.25 + 1.0 / 97) {
        instants.push_back(d);
    }
    const DateSerial events[] = {At(2009, 1, 26, 10, 56, 22), At(2009, 2, 9, 17, 50, 11)};
    for (DateSerial e : events) {  // the local instants of the new and the full moon
        for (double s : {-1.0, -0.4, 0.0, 0.4, 1.0}) {
            instants.push_back(e + s / 86400);
        }
    }
    instants.push_back(At(1900, 1, 1, 3, 0));
    instants.push_back(At(2100, 12, 31, 23, 59, 59));
    for (DateSerial local : instants) {
        const DayReport r = ComputeDayReport(local, kMoscow);
        const DateSerial ut = LocalToUT(local, kMoscow);
        const std::string at = FormatDateTime(local);
        ASSERT_EQ(r.ut, ut) << at;
        ASSERT_EQ(r.age, MoonAge(ut)) << at;
        ASSERT_EQ(r.phaseAngle, PhaseAngle(ut)) << at;
        ASSERT_EQ(r.illumination, Illumination(ut)) << at;
        ASSERT_EQ(r.waxWane, WaxWane(ut)) << at;
        ASSERT_EQ(r.phaseClass, PhaseClass(ut)) << at;
        ASSERT_EQ(r.phaseText, PhaseText(ut, kMoscow)) << at;
        ASSERT_EQ(r.prevNewMoon, UTToLocal(PreviousNewMoon(ut), kMoscow)) << at;
        ASSERT_EQ(r.nextNewMoon, UTToLocal(NextNewMoon(ut), kMoscow)) << at;
        ASSERT_EQ(r.prevFullMoon, PreviousFullMoon(ut, kMoscow)) << at;
        ASSERT_EQ(r.nextFullMoon, UTToLocal(NextFullMoon(ut), kMoscow)) << at;
        ASSERT_EQ(r.longitude, static_cast<float>(MoonLongitude(ut))) << at;
        ASSERT_EQ(r.sign, MoonSign(ut)) << at;
        ASSERT_EQ(r.positionText, MoonPositionText(ut)) << at;
    }
}

TEST(DayReport, VisibilityReadsOneHundredFrom99Point206) {
    const std::pair<float, int> cases[] = {
        {99.3f, 100}, {99.2f, 99}, {50.0f, 50}, {0.0f, 0}, {100.0f, 100}};
    for (auto [v, percent] : cases) {
        EXPECT_EQ(VisiblePercent(v), percent) << v;
    }
}

TEST(MonthGrid, CellsOfAMonth) {
    struct Case {
        int year, month;
        int firstDayCell;
        int lastDayCell;
    };
    const Case cases[] = {
        {2009, 12, 1, 31},  // the 1st is a Tuesday
        {2010, 2, 0, 27},   // a Monday, 28 days
        {2010, 8, 6, 36},   // a Sunday, 31 days
    };
    for (const Case& c : cases) {
        const MonthGrid g = ComputeMonthGrid(c.year, c.month, kMoscow);
        EXPECT_EQ(g.firstDayCell, c.firstDayCell) << c.month;
        for (int i = 0; i < 42; ++i) {
            const MonthCell& cell = g.cells[static_cast<size_t>(i)];
            if (i < c.firstDayCell || i > c.lastDayCell) {
                EXPECT_EQ(cell.day, 0) << c.month << " cell " << i;
                EXPECT_EQ(cell.MoonDaysText(), "");
                EXPECT_TRUE(cell.Signs().empty());
                continue;
            }
            ASSERT_EQ(cell.day, i - c.firstDayCell + 1) << c.month << " cell " << i;
            // The same values as the plain computation for 00:30 and 23:30 local.
            const DateSerial early = LocalToUT(At(c.year, c.month, cell.day, 0, 30), kMoscow);
            const DateSerial late = LocalToUT(At(c.year, c.month, cell.day, 23, 30), kMoscow);
            EXPECT_EQ(cell.moonDay1, LunarDayFromAge(MoonAge(early)));
            EXPECT_EQ(cell.moonDay2, LunarDayFromAge(MoonAge(late)));
            EXPECT_EQ(cell.sign1, MoonSign(early));
            EXPECT_EQ(cell.sign2, MoonSign(late));
        }
    }
}

TEST(MonthGrid, TextsOfACell) {
    MonthCell cell{5, 12, 13, 3, 4};
    EXPECT_EQ(cell.MoonDaysText(), "12/13");
    EXPECT_EQ(cell.Signs(), (std::vector<int>{3, 4}));
    cell = MonthCell{5, 12, 12, 3, 3};
    EXPECT_EQ(cell.MoonDaysText(), "12");
    EXPECT_EQ(cell.Signs(), (std::vector<int>{3}));
    cell = MonthCell{5, 30, 1, 12, 1};
    EXPECT_EQ(cell.MoonDaysText(), "30/1");
}

TEST(Search, MatchesByMode) {
    const LunarDayAndSign v{12, 5};
    struct Case {
        int mode, md1, z1, md2;
        bool match;
    };
    const Case cases[] = {
        {0, 12, 1, 1, true},   {0, 11, 5, 1, false},  {1, 1, 5, 1, true},     {1, 12, 4, 1, false},
        {2, 12, 5, 1, true},   {2, 12, 4, 1, false},  {3, 10, 5, 12, true},   {3, 13, 5, 20, false},
        {3, 12, 5, 10, false}, {4, 12, 5, 12, false}, {-1, 12, 5, 12, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SearchMatches(c.mode, v, c.md1, c.z1, c.md2), c.match) << c.mode << " " << c.md1;
    }
}

TEST(Search, StepCountRoundsTheTimeOfDay) {
    // Before noon the last date examined is 31 December 2100, after noon the 30th.
    const DateSerial morning = At(2100, 12, 1, 11);
    const DateSerial evening = At(2100, 12, 1, 13);
    EXPECT_EQ(morning + SearchStepCount(morning), At(2100, 12, 31, 11));
    EXPECT_EQ(evening + SearchStepCount(evening), At(2100, 12, 30, 13));
    EXPECT_EQ(SearchStepCount(At(2100, 12, 31, 10)), 0);
    EXPECT_TRUE(FindDates(At(2100, 12, 31, 10), 1, 1, 1, 1, kMoscow).empty());
}

TEST(Search, FindsTheDatesOfThePlainAlgorithm) {
    const DateSerial from = At(2097, 6, 1, 18, 30);
    for (int mode : {0, 1, 2, 3}) {
        const std::vector<DateSerial> found = FindDates(from, mode, 12, 5, 20, kMoscow);
        std::vector<DateSerial> expected;
        for (int i = 1; i <= SearchStepCount(from); ++i) {
            const DateSerial ut = LocalToUT(from + i, kMoscow);
            const LunarDayAndSign v{static_cast<int>(LunarDayFromAge(MoonAge(ut))), MoonSign(ut)};
            if (SearchMatches(mode, v, 12, 5, 20)) {
                expected.push_back(from + i);
            }
        }
        EXPECT_EQ(found, expected) << mode;
        EXPECT_FALSE(found.empty()) << mode;
    }
    // Lunar days 0 and 31 never occur.
    EXPECT_TRUE(FindDates(from, 0, 0, 1, 1, kMoscow).empty());
    EXPECT_TRUE(FindDates(from, 0, 31, 1, 1, kMoscow).empty());
}

}  // namespace
}  // namespace noctiva::core
