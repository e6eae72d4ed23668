#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "TestUtil.h"
#include "core/DateText.h"
#include "core/TimeBase.h"

namespace noctiva::core {
namespace {

using testing::At;

TEST(SerialCalendar, NegativeSerialsKeepTheirDayInTheWholePart) {
    struct Case {
        DateSerial d;
        CivilTime c;
    };
    const Case cases[] = {
        {0, {1899, 12, 30, 0, 0, 0}},      {36526, {2000, 1, 1, 0, 0, 0}},
        {40061.5, {2009, 9, 5, 12, 0, 0}}, {-1.25, {1899, 12, 29, 6, 0, 0}},
        {-0.25, {1899, 12, 30, 6, 0, 0}},  {-115858, {1582, 10, 15, 0, 0, 0}},
        {-657434, {100, 1, 1, 0, 0, 0}},   {2958465.99999, {9999, 12, 31, 23, 59, 59}},
    };
    for (const Case& c : cases) {
        const CivilTime got = CivilFromSerial(c.d);
        EXPECT_EQ(got.year, c.c.year) << c.d;
        EXPECT_EQ(got.month, c.c.month) << c.d;
        EXPECT_EQ(got.day, c.c.day) << c.d;
        EXPECT_EQ(got.hour, c.c.hour) << c.d;
        EXPECT_EQ(got.minute, c.c.minute) << c.d;
        EXPECT_EQ(got.second, c.c.second) << c.d;
    }
    EXPECT_DOUBLE_EQ(SerialFromLinear(-0.75), -1.25);
    EXPECT_DOUBLE_EQ(LinearTime(-1.25), -0.75);
    EXPECT_DOUBLE_EQ(SerialFromCivil(1899, 12, 29, 6), -1.25);
}

TEST(SerialCalendar, FieldsAreReadAfterRoundingToTheSecond) {
    // 12:00 less a tenth of a second reads as 12:00:00, not 11:59:59.
    const CivilTime c = CivilFromSerial(40061.5 - 0.1 / 86400);
    EXPECT_EQ(c.hour, 12);
    EXPECT_EQ(c.minute, 0);
    EXPECT_EQ(c.second, 0);
    // 23:59:59.6 rounds into the next day.
    EXPECT_EQ(CivilFromSerial(40061 + 86399.6 / 86400).day, 6);
}

TEST(SerialCalendar, LeavingTheDateRangeThrows) {
    EXPECT_THROW(SerialFromLinear(2958466.5), DateOverflowError);
    EXPECT_THROW(CivilFromSerial(-657436), DateOverflowError);
    EXPECT_THROW(SerialFromCivil(10000, 1, 1), DateOverflowError);
    EXPECT_NO_THROW(SerialFromCivil(100, 1, 1));
}

TEST(JulianDays, SerialToJulianDayAcrossTheCalendarSwitch) {
    const std::pair<DateSerial, JulianDay> cases[] = {
        {0, 2415018.5},       {36526, 2451544.5},   {-0.25, 2415018.75},    {-1.25, 2415017.75},
        {-115858, 2299160.5}, {-115869, 2299159.5}, {-115869.5, 2299160.0}, {-115859, 2299169.5},
    };
    for (auto [d, jd] : cases) {
        EXPECT_DOUBLE_EQ(SerialToJulianDay(d), jd) << d;
    }
}

TEST(JulianDays, JulianDayToSerialAndItsBounds) {
    const std::pair<JulianDay, DateSerial> cases[] = {
        {2299160.5, -115858}, {2299159.5, -115869}, {2415018.75, 0.25}, {2415019.75, 1.25},
        {2415017.75, -1.25},  {1757593.5, 0},       {2451544.5, 36526},
    };
    for (auto [jd, d] : cases) {
        EXPECT_NEAR(JulianDayToSerial(jd), d, 1e-9) << jd;
    }
    EXPECT_TRUE(IsValidJulianDay(5373484.49998843));
    EXPECT_FALSE(IsValidJulianDay(5373484.5));
    EXPECT_FALSE(IsValidJulianDay(1757593.5));
}

TEST(JulianDays, IsValidLunarDate) {
    const std::pair<DateSerial, bool> cases[] = {
        {-115869.5, true}, {-115868.5, false},    {-115860.5, false}, {-115859.5, true},
        {-115858, true},   {-657418, false},      {-657418.1, true},  {-657418.2, false},
        {-657417.5, true}, {2958465.99999, true}, {2958466, false},
    };
    for (auto [d, valid] : cases) {
        EXPECT_EQ(IsValidLunarDate(d), valid) << d;
    }
}

TEST(Zones, FixedRecordsFollowTheBiasRules) {
    // Three hours east of Greenwich, daylight saving one hour more.
    struct Case {
        ZoneState state;
        DateSerial ut;
    };
    const Case cases[] = {
        {ZoneState::Standard, 40061.375},
        {ZoneState::Daylight, 40061.5 - 4.0 / 24},
        {ZoneState::Unknown, 40061.5 - 4.0 / 24},
        {ZoneState::Failure, 40061.5 - 4.0 / 24},
    };
    for (const Case& c : cases) {
        const FixedZone zone(ZoneRecord{c.state, -180, -60, 0});
        EXPECT_NEAR(LocalToUT(40061.5, zone), c.ut, 1e-9) << static_cast<int>(c.state);
        EXPECT_NEAR(UTToLocal(c.ut, zone), 40061.5, 1e-9) << static_cast<int>(c.state);
    }
    // A zeroed record (a failed query) leaves the instant as it is.
    const FixedZone zeroed(ZoneRecord{});
    EXPECT_DOUBLE_EQ(LocalToUT(40061.5, zeroed), 40061.5);
}

// Runs a test body with the process zone set to a named zone of the system database.
class SystemZoneTest : public ::testing::Test {
  protected:
    void UseZone(const char* name) {
        const char* old = std::getenv("TZ");
        saved_ = old ? old : "";
        hadTz_ = old != nullptr;
        setenv("TZ", name, 1);
        tzset();
    }
    void TearDown() override {
        if (hadTz_) {
            setenv("TZ", saved_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    std::string saved_;
    bool hadTz_ = false;
};

TEST_F(SystemZoneTest, OffsetIsTheOneInForceAtTheConvertedInstant) {
    UseZone("Europe/Berlin");
    const SystemZone zone;
    struct Case {
        DateSerial local;
        DateSerial ut;
    };
    const Case cases[] = {
        {At(2009, 1, 15, 12), At(2009, 1, 15, 11)},  // winter, +1
        {At(2009, 7, 15, 12), At(2009, 7, 15, 10)},  // summer, +2
        // Spring forward on 29 March 2009 at 02:00: 02:30 does not exist and is
        // read with the winter offset, the instant the clock showed as 03:30.
        {At(2009, 3, 29, 2, 30), At(2009, 3, 29, 1, 30)},
        {At(2009, 3, 29, 3, 30), At(2009, 3, 29, 1, 30)},
        // Fall back on 25 October 2009 at 03:00: 02:30 happens twice; the
        // first reading (summer time) is taken.
        {At(2009, 10, 25, 2, 30), At(2009, 10, 25, 0, 30)},
        {At(2009, 10, 25, 3, 30), At(2009, 10, 25, 2, 30)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(LocalToUT(c.local, zone)), FormatDateTime(c.ut))
            << FormatDateTime(c.local);
    }
    // Back from UT: both readings of the overlap and the hour after the gap.
    EXPECT_EQ(FormatDateTime(UTToLocal(At(2009, 10, 25, 0, 30), zone)), "25.10.2009 02:30:00");
    EXPECT_EQ(FormatDateTime(UTToLocal(At(2009, 10, 25, 1, 30), zone)), "25.10.2009 02:30:00");
    EXPECT_EQ(FormatDateTime(UTToLocal(At(2009, 3, 29, 1, 30), zone)), "29.03.2009 03:30:00");
}

TEST_F(SystemZoneTest, AChangeOfTheSystemZoneTakesEffectAtTheNextConversion) {
    UseZone("Europe/Moscow");
    EXPECT_EQ(FormatDateTime(LocalToUT(At(2020, 1, 1, 12))), "01.01.2020 09:00:00");
    UseZone("Asia/Tokyo");
    EXPECT_EQ(FormatDateTime(LocalToUT(At(2020, 1, 1, 12))), "01.01.2020 03:00:00");
}

TEST_F(SystemZoneTest, LocalMeanTimeKeepsItsSeconds) {
    // Moscow kept its local mean time (+2:30:17) until 1919.
    UseZone("Europe/Moscow");
    EXPECT_EQ(FormatDateTime(LocalToUT(At(1910, 6, 1, 12))), "01.06.1910 09:29:43");
}

TEST(Helpers, ReduceModuloAndAngles) {
    EXPECT_NEAR(ReduceModulo(725.3, 360), 5.3, 1e-9);
    EXPECT_NEAR(ReduceModulo(359.6, 360), 359.6, 1e-12);
    EXPECT_DOUBLE_EQ(ReduceModulo(-370, 360), -10);
    EXPECT_DOUBLE_EQ(ReduceModulo(0, 360), 0);
    EXPECT_NEAR(AngleToRadians(540), 3.14159265358979, 1e-12);
}

TEST(Helpers, ParseDottedDate) {
    EXPECT_DOUBLE_EQ(ParseDottedDate("15.10.1582"), -115858);
    EXPECT_DOUBLE_EQ(ParseDottedDate("5.9.2009"), 40061);
    EXPECT_DOUBLE_EQ(ParseDottedDate(" 05 . 09 .2009"), 40061);
}

TEST(Helpers, RoundHalfEven) {
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2}, {2.5, 2}, {-0.5, 0},
                                               {-1.5, -2}, {2.4, 2}, {2.6, 3}, {366, 366}};
    for (auto [x, r] : cases) {
        EXPECT_EQ(RoundHalfEven(x), r) << x;
    }
}

TEST(DateTexts, IsoParsingRejectsWhatIsNotADate) {
    EXPECT_EQ(FormatIsoDateTime(*ParseIsoDateTime("2009-12-09T18:30")), "2009-12-09T18:30:00");
    EXPECT_EQ(FormatIsoDateTime(*ParseIsoDateTime("2009-12-09 18:30:05")), "2009-12-09T18:30:05");
    for (const char* bad :
         {"2009-02-29T10:00", "2009-13-01T10:00", "2009-12-09", "2009-12-09T24:00",
          "2009-12-09T18:60", "garbage", "2009-12-09T18:30:5", ""}) {
        EXPECT_FALSE(ParseIsoDateTime(bad).has_value()) << bad;
    }
    // Texts round to the nearest second.
    EXPECT_EQ(FormatDateTime(At(2009, 6, 7, 18, 12, 54) + 0.963 / 86400), "07.06.2009 18:12:55");
}

}  // namespace
}  // namespace noctiva::core
