#include <gtest/gtest.h>

#include "TestUtil.h"
#include "core/DateText.h"
#include "core/Lunation.h"
#include "core/Pump.h"

namespace noctiva::core {
namespace {

using testing::At;
using testing::SecondsBetween;

const FixedZone kUtc = FixedZone::EastOfGreenwich(0);

TEST(Lunation, ValuesOfAnInstant) {
    struct Case {
        DateSerial ut;
        Lunation lunation;
        double age;
        double lunarDay;
        float angle;
        float illumination;
        int16_t waxWane;
        int16_t phaseClass;
    };
    const Case cases[] = {
        {At(2009, 6, 7, 12), 1069, 13.991587, 14, 170.5679f, 99.3240f, 2, 3},
        {At(2009, 6, 7, 19), 1069, 14.283253, 15, 174.1236f, 99.7372f, 4, 3},
        {At(2009, 6, 8, 12), 1069, 14.991587, 15, 182.7587f, 99.9421f, 4, 4},
        {At(2009, 1, 10, 12), 1064, 13.983611, 14, 170.4707f, 99.3101f, 2, 2},
        {At(2009, 1, 26, 0), 1064, 29.483611, 30, 359.4273f, 0.0025f, 4, 1},
        {At(2009, 1, 26, 7, 56), 1064, 29.814166, 30, 363.4570f, 0.0910f, 4, 1},
        {At(2009, 1, 26, 7, 57), 1065, 0.000442, 1, 0.0054f, 0.0000f, 2, 1},
    };
    for (const Case& c : cases) {
        const std::string at = FormatDateTime(c.ut);
        EXPECT_EQ(LunationOf(c.ut), c.lunation) << at;
        EXPECT_NEAR(MoonAge(c.ut), c.age, 1e-6) << at;
        EXPECT_EQ(LunarDayFromAge(MoonAge(c.ut)), c.lunarDay) << at;
        EXPECT_NEAR(PhaseAngle(c.ut), c.angle, 1e-4) << at;
        // One example is the double-precision value of a single-precision result.
        EXPECT_NEAR(Illumination(c.ut), c.illumination, 2e-4) << at;
        EXPECT_EQ(WaxWane(c.ut), c.waxWane) << at;
        EXPECT_EQ(PhaseClass(c.ut), c.phaseClass) << at;
    }
}

TEST(Lunation, EventsAroundTheFullMoonOfJune2009) {
    struct Case {
        DateSerial ut;
        DateSerial nextFull, previousFull, previousNew, nextNew;
    };
    const Case cases[] = {
        {At(2009, 6, 7, 12), At(2009, 6, 7, 18, 12, 54), At(2009, 5, 9, 4, 2, 32),
         At(2009, 5, 24, 12, 12, 6), At(2009, 6, 22, 19, 36, 6)},
        {At(2009, 6, 7, 19), At(2009, 7, 7, 9, 22, 32), At(2009, 6, 7, 18, 12, 54),
         At(2009, 5, 24, 12, 12, 6), At(2009, 6, 22, 19, 36, 6)},
    };
    for (const Case& c : cases) {
        const std::string at = FormatDateTime(c.ut);
        // Event times are compared to within a second: some are quoted cut off.
        EXPECT_LT(std::abs(SecondsBetween(NextFullMoon(c.ut), c.nextFull)), 1.0) << at;
        EXPECT_LT(std::abs(SecondsBetween(PreviousFullMoon(c.ut, kUtc), c.previousFull)), 1.0)
            << at;
        EXPECT_LT(std::abs(SecondsBetween(PreviousNewMoon(c.ut), c.previousNew)), 1.0) << at;
        EXPECT_LT(std::abs(SecondsBetween(NextNewMoon(c.ut), c.nextNew)), 1.0) << at;
    }
}

TEST(Lunation, PreviousFullMoonAloneComesBackInLocalTime) {
    const FixedZone moscow = FixedZone::EastOfGreenwich(180);
    const DateSerial ut = At(2009, 6, 7, 19);
    EXPECT_NEAR(SecondsBetween(PreviousFullMoon(ut, moscow), PreviousFullMoon(ut, kUtc)), 3 * 3600,
                1e-3);
    // At the full moon itself the previous one is a lunation earlier, the next one a lunation
    // later.
    const DateSerial full = NextFullMoon(At(2009, 6, 7, 12));
    EXPECT_LT(PreviousFullMoon(full, kUtc), full - 29);
    EXPECT_GT(NextFullMoon(full), full + 29);
}

TEST(Lunation, AroundTheNewMoonOf26January2009) {
    const DateSerial newMoon = NextNewMoon(At(2009, 1, 26));
    EXPECT_NEAR(SecondsBetween(newMoon, At(2009, 1, 26, 7, 56, 21)), 0.8, 0.1);
    EXPECT_EQ(LunationOf(At(2009, 1, 26, 7, 56)), 1064);
    EXPECT_DOUBLE_EQ(NextNewMoon(At(2009, 1, 26, 7, 56)), newMoon);
    EXPECT_EQ(LunationOf(At(2009, 1, 26, 7, 57)), 1065);
    EXPECT_DOUBLE_EQ(PreviousNewMoon(At(2009, 1, 26, 7, 57)), newMoon);

    // 0.4 s before the new moon already belongs to the new lunation.
    const DateSerial justBefore = newMoon - 0.4 / 86400;
    EXPECT_EQ(LunationOf(justBefore), 1065);
    EXPECT_NEAR(MoonAge(justBefore), -0.0000046, 2e-7);
    EXPECT_EQ(LunarDayFromAge(MoonAge(justBefore)), 1);
}

TEST(Lunation, LunarDayFromAge) {
    const std::pair<double, double> cases[] = {{0, 1},     {0.5, 1},  {1.0, 1},  {1.0000001, 2},
                                               {29.2, 30}, {-0.3, 1}, {14.5, 15}};
    for (auto [age, day] : cases) {
        EXPECT_EQ(LunarDayFromAge(age), day) << age;
    }
}

TEST(Lunation, TheEventDayIsTheUniversalDateAndTheShownTimeIsLocal) {
    // A full moon in the evening (UT) of one day is 1 a.m. of the next day in Moscow.
    const FixedZone moscow = FixedZone::EastOfGreenwich(180);
    const DateSerial full = NextFullMoon(At(2009, 3, 1));  // 11 March 2009 02:38 UT
    const DateSerial day = DateOnly(full);
    for (double hour : {0.5, 12.0, 23.9}) {
        EXPECT_EQ(PhaseClass(day + hour / 24), 3) << hour;
    }
    const std::string text = PhaseText(day + 0.5, moscow);
    EXPECT_EQ(text, "Полнолуние\r\n" + FormatDateTime(full + 3.0 / 24));
    EXPECT_EQ(PhaseText(At(2009, 6, 10, 12), moscow), "Убывающая");
    EXPECT_EQ(PhaseText(At(2009, 6, 1, 12), moscow), "Растущая");
    EXPECT_EQ(PhaseText(At(2009, 1, 26, 12), kUtc).rfind("Новолуние\r\n26.01.2009 07:56:2", 0), 0u);
}

TEST(Lunation, WaxWaneOfAnInstantThatIsNotAccepted) {
    EXPECT_EQ(WaxWane(-115865.5), 0);
    EXPECT_EQ(PhaseText(-115865.5, kUtc).find("Растущая"), std::string::npos);
}

TEST(Lunation, TheSearchLetsPendingEventsRun) {
    int pumped = 0;
    SetPumpEvents([&pumped] { ++pumped; });
    LunationOf(At(2009, 6, 7, 12));
    SetPumpEvents(nullptr);
    EXPECT_GE(pumped, 1);
    LunationOf(At(2009, 6, 7, 12));  // no hook installed: nothing to call
}

TEST(Lunation, TheCursorAgreesWithTheSearchOverARunOfDates) {
    LunationCursor cursor;
    // Forward over ten years and backward over one, as a search and a month walk.
    for (DateSerial d = At(2009, 12, 1, 18, 30); d < At(2019, 12, 1); d += 1.0) {
        ASSERT_EQ(cursor.Locate(d), LunationOf(d)) << d;
        ASSERT_DOUBLE_EQ(cursor.Age(d), MoonAge(d)) << d;
    }
    for (DateSerial d = At(2019, 12, 1, 0, 30); d > At(2018, 12, 1); d -= 0.37) {
        ASSERT_DOUBLE_EQ(cursor.Age(d), MoonAge(d)) << d;
    }
}

}  // namespace
}  // namespace noctiva::core
