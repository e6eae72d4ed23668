#pragma once
// Time base of the lunar computations: date serials, Julian Days, local and
// Universal Time, and the small numeric helpers of the phase series.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace noctiva::core {

// A date and time as days since 30 December 1899 00:00, the fraction being the
// time of day. A negative value keeps its day in the whole part (truncated
// toward zero) and its time of day in the absolute value of the fraction:
// -1.25 is 29 December 1899 06:00.
using DateSerial = double;

// A day count on the Julian Day scale (whole numbers at noon).
using JulianDay = double;

// Raised when a date computation would leave the date range
// (1 January 100 to 31 December 9999 23:59:59).
class DateOverflowError : public std::range_error {
  public:
    explicit DateOverflowError(const std::string& what) : std::range_error(what) {}
};

// Calendar fields of a DateSerial, read after rounding it to the nearest second.
struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Continuous day count for a serial (days since 30 December 1899 00:00).
double LinearTime(DateSerial d);
// The serial of a linear time; throws DateOverflowError outside the date range.
DateSerial SerialFromLinear(double t);

CivilTime CivilFromSerial(DateSerial d);
// Builds a serial from calendar fields. Months and days beyond their ranges
// carry into the next month or year, as the platform's date builder does.
DateSerial SerialFromCivil(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0);

// Day of the week of a serial's calendar day: Monday 1 to Sunday 7.
int IsoWeekday(DateSerial d);
int DaysInMonth(int year, int month);

// --- Time-zone record -----------------------------------------------------
// UTC = local time + bias (minutes). A zone three hours east of Greenwich
// has Bias -180.
enum class ZoneState : int { Failure = -1, Unknown = 0, Standard = 1, Daylight = 2 };

struct ZoneRecord {
    ZoneState state = ZoneState::Failure;
    int32_t Bias = 0;
    int32_t DaylightBias = 0;
    // Seconds added to the bias, for the local mean times of the early
    // twentieth century that are not whole minutes; 0 for a record of minutes.
    int32_t BiasSeconds = 0;
};

// The offset of a record in seconds (UTC = local + offset): Bias in standard
// time, Bias + DaylightBias in daylight time, in an unknown state or after a
// failed query.
int64_t OffsetSeconds(const ZoneRecord& r);

// Where the conversions get their zone record from. The record asked for is
// the one in force at the instant being converted.
class ZoneSource {
  public:
    virtual ~ZoneSource() = default;
    // Re-reads the host's zone settings; the conversions call it once per
    // conversion (or once per batch of conversions), so nothing is cached
    // across calls.
    virtual void Refresh() const {}
    // The record in force at a Universal Time instant.
    virtual ZoneRecord AtUniversal(DateSerial ut) const = 0;
    // The record to read a local wall-clock time with.
    virtual ZoneRecord AtLocal(DateSerial local) const = 0;
};

// One record for every instant (a fixed offset, or a test record).
class FixedZone : public ZoneSource {
  public:
    explicit FixedZone(ZoneRecord record) : record_(record) {}
    // A zone east of Greenwich by the given minutes, without daylight saving.
    static FixedZone EastOfGreenwich(int minutes);
    ZoneRecord AtUniversal(DateSerial) const override { return record_; }
    ZoneRecord AtLocal(DateSerial) const override { return record_; }

  private:
    ZoneRecord record_;
};

// The operating system's zone database (the TZ variable or /etc/localtime).
// The record it reports carries the whole offset in force at the instant in
// Bias (with BiasSeconds), its state telling daylight from standard time.
//
// A local time that the clock skips (spring forward) or shows twice (fall
// back) is read with the offset in force before the change: 02:30 in a gap
// from 02:00 to 03:00 is the instant the clock showed as 03:30, and 02:30 in
// an overlap is its first occurrence.
class SystemZone : public ZoneSource {
  public:
    void Refresh() const override;
    ZoneRecord AtUniversal(DateSerial ut) const override;
    ZoneRecord AtLocal(DateSerial local) const override;
};

const ZoneSource& TheSystemZone();

// Converts between local time and Universal Time with one zone source. The
// source is refreshed once when the converter is made.
class TimeConverter {
  public:
    explicit TimeConverter(const ZoneSource& zone);
    DateSerial LocalToUT(DateSerial local) const;
    DateSerial UTToLocal(DateSerial ut) const;

  private:
    const ZoneSource& zone_;
};

DateSerial LocalToUT(DateSerial local, const ZoneSource& zone = TheSystemZone());
DateSerial UTToLocal(DateSerial ut, const ZoneSource& zone = TheSystemZone());

// The current instant in Universal Time, to the whole second.
DateSerial NowUniversal();

// --- Julian Days ------------------------------------------------------------
// A day before 15 October 1582 is read as a Julian-calendar date.
JulianDay SerialToJulianDay(DateSerial d);
// 0 when the Julian Day is not accepted by IsValidJulianDay.
DateSerial JulianDayToSerial(JulianDay jd);
bool IsValidJulianDay(JulianDay jd);
bool IsValidLunarDate(DateSerial ut);

// Reads "day.month.year" (year from the last four characters) at 00:00.
DateSerial ParseDottedDate(const std::string& text);

// x - m * trunc(x / m): keeps the sign of x.
double ReduceModulo(double x, double m);
double AngleToRadians(double degrees);

// Rounds halves to the even integer.
double RoundHalfEven(double x);

}  // namespace noctiva::core
