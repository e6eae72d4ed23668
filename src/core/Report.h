#pragma once
// What the window and the command-line tool show, computed in one place: the
// values of a day report, the 42 cells of a month, the dates of a search.

#include <array>
#include <string>
#include <vector>

#include "core/Lunation.h"
#include "core/TimeBase.h"
#include "core/Zodiac.h"

namespace noctiva::core {

struct DayReport {
    DateSerial local = 0;  // the reported local instant
    DateSerial ut = 0;     // the same instant in Universal Time
    double age = 0;
    int lunarDay = 0;
    float phaseAngle = 0;
    float illumination = 0;
    std::string visibilityText;  // "Видимость Луны: 99 %"
    int waxWane = 0;
    int phaseClass = 0;
    std::string phaseText;  // lines joined by CR LF
    // Events in local time.
    DateSerial prevNewMoon = 0;
    DateSerial nextNewMoon = 0;
    DateSerial prevFullMoon = 0;
    DateSerial nextFullMoon = 0;
    float longitude = 0;  // single precision, for the ecliptic display
    int sign = 0;
    std::string positionText;
    int quality = 0;
    std::string qualityText;
    int vn = 0;                        // 1 rising, 2 falling
    std::string riseText;              // "Восходящая" or "Нисходящая"
    std::array<std::string, 5> pages;  // description pages: "md_05.htm", "z_12.htm", ...
    std::string trayTip;               // five lines joined by CR LF
};

// The whole day report of a local instant.
DayReport ComputeDayReport(DateSerial local, const ZoneSource& zone = TheSystemZone());

// The whole part of the visibility times 1.008, so that 99.206 % and more read 100.
int VisiblePercent(float illumination);
std::string VisibilityText(float illumination);
std::array<std::string, 5> DescriptionPages(int lunarDay, int sign, int phaseClass, int quality,
                                            int vn);

struct MonthCell {
    int day = 0;       // 0 for a cell without a day
    int moonDay1 = 0;  // lunar day at 00:30 local
    int moonDay2 = 0;  // lunar day at 23:30 local
    int sign1 = 0;     // sign at 00:30 local
    int sign2 = 0;     // sign at 23:30 local
    // "12", or "12/13" when a new lunar day begins during the day; "" when empty.
    std::string MoonDaysText() const;
    // One sign, or two when the Moon enters a new sign during the day.
    std::vector<int> Signs() const;
};

struct MonthGrid {
    int firstDayCell = -1;
    std::array<MonthCell, 42> cells{};
};

// The day number of cell i of a month whose 1st falls on weekday w (Monday 1).
int CellDayNumber(int cell, int firstWeekday, int daysInMonth);
MonthCell ComputeMonthCell(int year, int month, int day, const TimeConverter& conv,
                           LunationCursor& cursor);
MonthGrid ComputeMonthGrid(int year, int month, const ZoneSource& zone = TheSystemZone());

// --- Date search -------------------------------------------------------------
enum class SearchMode { LunarDay = 0, Sign = 1, LunarDayAndSign = 2, PeriodAndSign = 3 };

struct LunarDayAndSign {
    int lunarDay = 0;
    int sign = 0;
};

// Lunar day and sign of a run of local instants, sharing the zone refresh and
// the lunation search between them. Gives the values of the day report.
class LunarProbe {
  public:
    explicit LunarProbe(const ZoneSource& zone) : conv_(zone) {}
    LunarDayAndSign At(DateSerial local);
    const TimeConverter& converter() const { return conv_; }
    LunationCursor& cursor() { return cursor_; }

  private:
    TimeConverter conv_;
    LunationCursor cursor_;
};

bool SearchMatches(int mode, const LunarDayAndSign& v, int md1, int z1, int md2);
// The last date the window can show: 31 December 2100 00:00.
DateSerial MaxSearchDate();
// Whole days from the selected instant to the last date, halves to even.
int SearchStepCount(DateSerial fromLocal);
// Every date found from the day after fromLocal, at its time of day, to the end.
std::vector<DateSerial> FindDates(DateSerial fromLocal, int mode, int md1, int z1, int md2,
                                  const ZoneSource& zone = TheSystemZone());

}  // namespace noctiva::core
