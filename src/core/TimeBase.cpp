#include "core/TimeBase.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>

namespace noctiva::core {

namespace {

constexpr double kLowestSerial = -657435.0;      // exclusive
constexpr double kHighestSerial = 2958466.0;     // exclusive
constexpr int64_t kSerialEpochFromUnix = 25569;  // days from 30.12.1899 to 01.01.1970
constexpr double kSecondsPerDay = 86400.0;

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

void CheckSerial(DateSerial d) {
    if (!(d > kLowestSerial && d < kHighestSerial)) {
        throw DateOverflowError(
            "дата вне допустимого диапазона (1 января 100 г. - 31 декабря 9999 г.)");
    }
}

// Whole seconds of the linear time, rounded to the nearest second.
int64_t LinearSeconds(DateSerial d) {
    CheckSerial(d);
    return static_cast<int64_t>(std::floor(LinearTime(d) * kSecondsPerDay + 0.5));
}

}  // namespace

double RoundHalfEven(double x) {
    const double r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5) {
        return 2.0 * std::round(x / 2.0);
    }
    return r;
}

double LinearTime(DateSerial d) {
    if (d >= 0) {
        return d;
    }
    const double w = std::trunc(d);
    return w + std::fabs(d - w);
}

DateSerial SerialFromLinear(double t) {
    double d = t;
    if (t < 0) {
        const double f = std::floor(t);
        if (f != t) {
            d = f - (t - f);
        }
    }
    CheckSerial(d);
    return d;
}

CivilTime CivilFromSerial(DateSerial d) {
    const int64_t secs = LinearSeconds(d);
    const int64_t days = FloorDiv(secs, 86400);
    const int64_t sod = secs - days * 86400;
    CivilTime c;
    CivilFromDays(days - kSerialEpochFromUnix, c.year, c.month, c.day);
    c.hour = static_cast<int>(sod / 3600);
    c.minute = static_cast<int>((sod / 60) % 60);
    c.second = static_cast<int>(sod % 60);
    return c;
}

DateSerial SerialFromCivil(int year, int month, int day, int hour, int minute, int second) {
    // Carry months beyond 1..12 into the year, days into the following month.
    int64_t y = year;
    int64_t m = month - 1;
    y += FloorDiv(m, 12);
    m = m - FloorDiv(m, 12) * 12 + 1;
    const int64_t days = DaysFromCivil(y, m, 1) + (day - 1) + kSerialEpochFromUnix;
    const double t =
        static_cast<double>(days) + (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    return SerialFromLinear(t);
}

int IsoWeekday(DateSerial d) {
    const int64_t days = FloorDiv(LinearSeconds(d), 86400);
    // Serial day 0 (30 December 1899) was a Saturday.
    const int64_t w = ((days + 5) % 7 + 7) % 7;  // 0 = Monday
    return static_cast<int>(w) + 1;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return kDays[(month - 1) % 12];
}

// --- Zones ---------------------------------------------------------------

int64_t OffsetSeconds(const ZoneRecord& r) {
    const int64_t minutes = r.state == ZoneState::Standard
                                ? static_cast<int64_t>(r.Bias)
                                : static_cast<int64_t>(r.Bias) + r.DaylightBias;
    return minutes * 60 + r.BiasSeconds;
}

FixedZone FixedZone::EastOfGreenwich(int minutes) {
    return FixedZone(ZoneRecord{ZoneState::Standard, -minutes, 0, 0});
}

namespace {

struct SystemOffset {
    int64_t eastSeconds;  // local = UTC + eastSeconds
    bool daylight;
};

SystemOffset SystemOffsetAt(int64_t unixSeconds) {
    const auto t = static_cast<std::time_t>(unixSeconds);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) {
        return {0, false};
    }
    return {static_cast<int64_t>(tm.tm_gmtoff), tm.tm_isdst > 0};
}

ZoneRecord RecordOf(const SystemOffset& o) {
    ZoneRecord r;
    r.state = o.daylight ? ZoneState::Daylight : ZoneState::Standard;
    // UTC = local + bias, so the bias is the offset west of Greenwich.
    const int64_t west = -o.eastSeconds;
    r.Bias = static_cast<int32_t>(west / 60);
    r.BiasSeconds = static_cast<int32_t>(west % 60);
    r.DaylightBias = 0;
    return r;
}

int64_t UnixSecondsOf(DateSerial d) {
    return LinearSeconds(d) - kSerialEpochFromUnix * 86400;
}

}  // namespace

void SystemZone::Refresh() const {
    tzset();
}

ZoneRecord SystemZone::AtUniversal(DateSerial ut) const {
    return RecordOf(SystemOffsetAt(UnixSecondsOf(ut)));
}

ZoneRecord SystemZone::AtLocal(DateSerial local) const {
    // The wall-clock reading as if it were UTC; the instants u with
    // u + offset(u) == wall are its readings. Clock changes are never closer
    // than a day apart, so the offsets a day before and a day after are the
    // only candidates.
    const int64_t wall = UnixSecondsOf(local);
    const SystemOffset before = SystemOffsetAt(wall - 86400);
    const SystemOffset after = SystemOffsetAt(wall + 86400);
    const SystemOffset atBefore = SystemOffsetAt(wall - before.eastSeconds);
    if (atBefore.eastSeconds == before.eastSeconds) {
        return RecordOf(atBefore);  // the usual case, and the first reading of an overlap
    }
    const SystemOffset atAfter = SystemOffsetAt(wall - after.eastSeconds);
    if (atAfter.eastSeconds == after.eastSeconds) {
        return RecordOf(atAfter);
    }
    return RecordOf(before);  // a skipped time: read with the offset before the change
}

const ZoneSource& TheSystemZone() {
    static const SystemZone zone;
    return zone;
}

TimeConverter::TimeConverter(const ZoneSource& zone) : zone_(zone) {
    zone_.Refresh();
}

DateSerial TimeConverter::LocalToUT(DateSerial local) const {
    const double offset = static_cast<double>(OffsetSeconds(zone_.AtLocal(local)));
    return SerialFromLinear(LinearTime(local) + offset / kSecondsPerDay);
}

DateSerial TimeConverter::UTToLocal(DateSerial ut) const {
    const double offset = static_cast<double>(OffsetSeconds(zone_.AtUniversal(ut)));
    return SerialFromLinear(LinearTime(ut) - offset / kSecondsPerDay);
}

DateSerial LocalToUT(DateSerial local, const ZoneSource& zone) {
    return TimeConverter(zone).LocalToUT(local);
}

DateSerial UTToLocal(DateSerial ut, const ZoneSource& zone) {
    return TimeConverter(zone).UTToLocal(ut);
}

DateSerial NowUniversal() {
    const auto now = std::chrono::system_clock::now();
    const int64_t unixSeconds =
        std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
    return static_cast<double>(kSerialEpochFromUnix) +
           static_cast<double>(unixSeconds) / kSecondsPerDay;
}

// --- Julian Days ---------------------------------------------------------

JulianDay SerialToJulianDay(DateSerial d) {
    if (d >= 0) {
        return d + 2415018.5;
    }
    const double w = std::trunc(d);
    const double f = d - w;
    if (w < -115858) {
        return w + 2415028 + 0.5 - f;
    }
    return w + 2415018 + 0.5 - f;
}

DateSerial JulianDayToSerial(JulianDay jd) {
    if (!IsValidJulianDay(jd)) {
        return 0;
    }
    const double t = jd >= 2299160.5 ? jd - 2415018.5 : jd - 2415028.5;
    return SerialFromLinear(t);
}

bool IsValidJulianDay(JulianDay jd) {
    return jd >= 1757593.50001 && jd <= 5373484.49998843;
}

bool IsValidLunarDate(DateSerial d) {
    if (std::isnan(d)) {
        return false;
    }
    return d > -657418.176956019 && d != -657418 && d <= 2958465.99999 &&
           !(d > -115869 && d <= -115859.99999);
}

namespace {

// The leading decimal number of a text, blanks around it ignored; 0 without digits.
double LeadingNumber(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) {
        ++i;
    }
    size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
        ++j;
    }
    const size_t digitsStart = j;
    while (j < s.size() && ((s[j] >= '0' && s[j] <= '9') || s[j] == '.')) {
        if (s[j] == '.' && s.find('.', digitsStart) != j) {
            break;  // a second point ends the number
        }
        ++j;
    }
    if (j == digitsStart) {
        return 0;
    }
    try {
        return std::stod(s.substr(i, j - i));
    } catch (const std::exception&) {
        return 0;
    }
}

int ToInt16(double v) {
    const double r = RoundHalfEven(v);
    if (r < -32768 || r > 32767) {
        throw DateOverflowError("число вне 16-битного диапазона: " + std::to_string(v));
    }
    return static_cast<int>(r);
}

}  // namespace

DateSerial ParseDottedDate(const std::string& text) {
    const std::string yearText = text.size() >= 4 ? text.substr(text.size() - 4) : text;
    const size_t p = text.find('.');
    const std::string dayText = text.substr(0, p);
    std::string monthText;
    if (p != std::string::npos) {
        const size_t q = text.find('.', p + 1);
        monthText = text.substr(p + 1, q == std::string::npos ? std::string::npos : q - p - 1);
    }
    return SerialFromCivil(ToInt16(LeadingNumber(yearText)), ToInt16(LeadingNumber(monthText)),
                           ToInt16(LeadingNumber(dayText)));
}

double ReduceModulo(double x, double m) {
    return x - m * std::trunc(x / m);
}

double AngleToRadians(double degrees) {
    return ReduceModulo(degrees, 360) * 0.0174532925199433;
}

}  // namespace noctiva::core
