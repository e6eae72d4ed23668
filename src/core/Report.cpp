#include "core/Report.h"

#include <cmath>

#include "core/DateText.h"

namespace noctiva::core {

int VisiblePercent(float illumination) {
    return static_cast<int>(std::floor(static_cast<double>(illumination) * 1.008));
}

std::string VisibilityText(float illumination) {
    return "Видимость Луны: " + std::to_string(VisiblePercent(illumination)) + " %";
}

std::array<std::string, 5> DescriptionPages(int lunarDay, int sign, int phaseClass, int quality,
                                            int vn) {
    return {"md_" + ZeroPad(lunarDay, 2) + ".htm", "z_" + ZeroPad(sign, 2) + ".htm",
            "f_" + ZeroPad(phaseClass, 2) + ".htm", "q_" + ZeroPad(quality, 2) + ".htm",
            "vn_" + ZeroPad(vn, 2) + ".htm"};
}

namespace {

// The phase instant of a lunation as a serial (0 outside the accepted range).
DateSerial EventOf(Lunation L, Quarter q) {
    return JulianDayToSerial(PhaseInstant(L, q));
}

// The first event of a quarter strictly after ut, given ut's lunation.
DateSerial NextEventIn(Lunation L, Quarter q, DateSerial ut) {
    const DateSerial r = EventOf(L, q);
    return r > ut ? r : EventOf(L + 1, q);
}

}  // namespace

DayReport ComputeDayReport(DateSerial local, const ZoneSource& zone) {
    // The same values as MoonAge, WaxWane, PhaseClass, PhaseText and the four
    // event operations, with the lunation of the instant (and of the instant a
    // day earlier, for the events of the calendar day) searched once each
    // instead of once per operation.
    const TimeConverter conv(zone);
    DayReport r;
    r.local = local;
    r.ut = conv.LocalToUT(local);
    const Lunation L = LunationOf(r.ut);
    const JulianDay start = PhaseInstant(L, 0);
    r.age = SerialToJulianDay(r.ut) - start;
    r.lunarDay = static_cast<int>(LunarDayFromAge(r.age));
    const double longitude = MoonLongitude(r.ut);
    r.sign = SignOfLongitude(longitude);
    r.phaseAngle = static_cast<float>(r.age * 360 / kSynodicMonth);
    r.illumination =
        static_cast<float>((1 - std::cos(r.age * 6.28318530718 / kSynodicMonth)) / 2 * 100);
    r.visibilityText = VisibilityText(r.illumination);

    const DateSerial full = EventOf(L, 2);
    if (IsValidLunarDate(r.ut)) {
        r.waxWane = (r.ut >= EventOf(L, 3) || r.ut >= full) ? 4 : 2;
    }
    // Events that fall on the Universal Time calendar day of the instant.
    const DateSerial dayBefore = r.ut - 1;
    const Lunation Lb = LunationOf(dayBefore);
    const DateSerial day = DateOnly(r.ut);
    const DateSerial fullOfDay = NextEventIn(Lb, 2, dayBefore);
    const DateSerial newOfDay = NextEventIn(Lb, 0, dayBefore);
    r.phaseClass = r.waxWane;
    r.phaseText = r.waxWane == 2 ? "Растущая" : r.waxWane == 4 ? "Убывающая" : "";
    if (DateOnly(fullOfDay) == day) {
        r.phaseClass = 3;
        r.phaseText = "Полнолуние\r\n" + FormatDateTime(conv.UTToLocal(fullOfDay));
    }
    if (DateOnly(newOfDay) == day) {
        r.phaseClass = 1;
        r.phaseText = "Новолуние\r\n" + FormatDateTime(conv.UTToLocal(newOfDay));
    }

    const DateSerial previousNew = JulianDayToSerial(start);
    r.prevNewMoon = conv.UTToLocal(previousNew);
    r.nextNewMoon = conv.UTToLocal(previousNew > r.ut ? previousNew : EventOf(L + 1, 0));
    r.prevFullMoon = conv.UTToLocal(full < r.ut ? full : EventOf(L - 1, 2));
    r.nextFullMoon = conv.UTToLocal(NextEventIn(L, 2, r.ut));
    r.longitude = static_cast<float>(longitude);
    r.positionText = PositionTextOfLongitude(longitude);
    r.quality = DayQuality(r.sign);
    r.qualityText = DayQualityText(r.sign);
    r.vn = RisingOrFalling(r.sign);
    r.riseText = RiseText(r.sign);
    r.pages = DescriptionPages(r.lunarDay, r.sign, r.phaseClass, r.quality, r.vn);
    r.trayTip = std::to_string(r.lunarDay) + " л/д\r\nВидимость " +
                std::to_string(VisiblePercent(r.illumination)) + "%\r\n" + r.positionText + "\r\n" +
                r.qualityText + "\r\n" + r.riseText;
    return r;
}

std::string MonthCell::MoonDaysText() const {
    if (day <= 0) {
        return "";
    }
    std::string text = moonDay1 > 0 ? std::to_string(moonDay1) : "";
    const std::string second = moonDay2 > 0 ? std::to_string(moonDay2) : "";
    if (second != text) {
        text += "/" + second;
    }
    return text;
}

std::vector<int> MonthCell::Signs() const {
    std::vector<int> signs;
    if (sign1 > 0) {
        signs.push_back(sign1);
    }
    if (sign2 > 0 && sign2 != sign1) {
        signs.push_back(sign2);
    }
    return signs;
}

int CellDayNumber(int cell, int firstWeekday, int daysInMonth) {
    if (cell + 1 < firstWeekday) {
        return 0;
    }
    const int n = cell + 2 - firstWeekday;
    return n > daysInMonth ? 0 : n;
}

LunarDayAndSign LunarProbe::At(DateSerial local) {
    const DateSerial ut = conv_.LocalToUT(local);
    return {static_cast<int>(LunarDayFromAge(cursor_.Age(ut))), MoonSign(ut)};
}

MonthCell ComputeMonthCell(int year, int month, int day, const TimeConverter& conv,
                           LunationCursor& cursor) {
    MonthCell cell;
    cell.day = day;
    if (day <= 0) {
        return cell;
    }
    const DateSerial early = conv.LocalToUT(SerialFromCivil(year, month, day, 0, 30));
    const DateSerial late = conv.LocalToUT(SerialFromCivil(year, month, day, 23, 30));
    cell.moonDay1 = static_cast<int>(LunarDayFromAge(cursor.Age(early)));
    cell.sign1 = MoonSign(early);
    cell.moonDay2 = static_cast<int>(LunarDayFromAge(cursor.Age(late)));
    cell.sign2 = MoonSign(late);
    return cell;
}

MonthGrid ComputeMonthGrid(int year, int month, const ZoneSource& zone) {
    const TimeConverter conv(zone);
    LunationCursor cursor;
    MonthGrid grid;
    const int w = IsoWeekday(SerialFromCivil(year, month, 1));
    const int days = DaysInMonth(year, month);
    for (int i = 0; i < 42; ++i) {
        const int n = CellDayNumber(i, w, days);
        if (n > 0 && grid.firstDayCell < 0) {
            grid.firstDayCell = i;
        }
        grid.cells[static_cast<size_t>(i)] = ComputeMonthCell(year, month, n, conv, cursor);
    }
    return grid;
}

bool SearchMatches(int mode, const LunarDayAndSign& v, int md1, int z1, int md2) {
    switch (mode) {
        case 0:
            return v.lunarDay == md1;
        case 1:
            return v.sign == z1;
        case 2:
            return v.lunarDay == md1 && v.sign == z1;
        case 3:
            return md1 <= v.lunarDay && v.lunarDay <= md2 && v.sign == z1;
        default:
            return false;
    }
}

DateSerial MaxSearchDate() {
    return SerialFromCivil(2100, 12, 31);
}

int SearchStepCount(DateSerial fromLocal) {
    return static_cast<int>(RoundHalfEven(MaxSearchDate() - fromLocal));
}

std::vector<DateSerial> FindDates(DateSerial fromLocal, int mode, int md1, int z1, int md2,
                                  const ZoneSource& zone) {
    std::vector<DateSerial> found;
    LunarProbe probe(zone);
    const int n = SearchStepCount(fromLocal);
    for (int i = 1; i <= n; ++i) {
        const DateSerial d = fromLocal + i;
        if (SearchMatches(mode, probe.At(d), md1, z1, md2)) {
            found.push_back(d);
        }
    }
    return found;
}

}  // namespace noctiva::core
