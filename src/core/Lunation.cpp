#include "core/Lunation.h"

#include <cmath>

#include "core/DateText.h"
#include "core/Pump.h"

namespace noctiva::core {

namespace {

Lunation StartEstimate(DateSerial ut) {
    const double n = RoundHalfEven(ut - kLunationEpoch);
    return static_cast<Lunation>(RoundHalfEven(n / kSynodicMonth));
}

}  // namespace

Lunation LunationOf(DateSerial ut) {
    Lunation L = StartEstimate(ut);
    const double b = SerialToJulianDay(ut) + kSearchOffset;
    for (;;) {
        PumpEvents();
        const JulianDay f = PhaseInstant(L, 0);
        const JulianDay c = PhaseInstant(L + 1, 0);
        if (f > b) {
            --L;
        } else if (c <= b) {
            ++L;
        } else {
            return L;
        }
    }
}

double MoonAge(DateSerial ut) {
    return SerialToJulianDay(ut) - PhaseInstant(LunationOf(ut), 0);
}

float PhaseAngle(DateSerial ut) {
    return static_cast<float>(MoonAge(ut) * 360 / kSynodicMonth);
}

float Illumination(DateSerial ut) {
    const double age = MoonAge(ut);
    return static_cast<float>((1 - std::cos(age * 6.28318530718 / kSynodicMonth)) / 2 * 100);
}

double LunarDayFromAge(double age) {
    double day = age > std::trunc(age) ? std::trunc(age) + 1 : std::floor(age);
    return day < 1 ? 1 : day;
}

int16_t WaxWane(DateSerial ut) {
    if (!IsValidLunarDate(ut)) {
        return 0;
    }
    const Lunation L = LunationOf(ut);
    const DateSerial full = JulianDayToSerial(PhaseInstant(L, 2));
    const DateSerial last = JulianDayToSerial(PhaseInstant(L, 3));
    return (ut >= last || ut >= full) ? 4 : 2;
}

DateSerial PreviousNewMoon(DateSerial ut) {
    return JulianDayToSerial(PhaseInstant(LunationOf(ut), 0));
}

namespace {

DateSerial NextEvent(DateSerial ut, Quarter quarter) {
    const Lunation L = LunationOf(ut);
    const DateSerial r = JulianDayToSerial(PhaseInstant(L, quarter));
    if (r > ut) {
        return r;
    }
    return JulianDayToSerial(PhaseInstant(L + 1, quarter));
}

}  // namespace

DateSerial NextNewMoon(DateSerial ut) {
    return NextEvent(ut, 0);
}

DateSerial NextFullMoon(DateSerial ut) {
    return NextEvent(ut, 2);
}

DateSerial PreviousFullMoon(DateSerial ut, const ZoneSource& zone) {
    const Lunation L = LunationOf(ut);
    DateSerial r = JulianDayToSerial(PhaseInstant(L, 2));
    if (!(r < ut)) {
        r = JulianDayToSerial(PhaseInstant(L - 1, 2));
    }
    return UTToLocal(r, zone);
}

DateSerial DateOnly(DateSerial d) {
    const CivilTime c = CivilFromSerial(d);
    return SerialFromCivil(c.year, c.month, c.day);
}

int16_t PhaseClass(DateSerial ut) {
    int16_t a = WaxWane(ut);
    const DateSerial day = DateOnly(ut);
    if (DateOnly(NextFullMoon(ut - 1)) == day) {
        a = 3;
    }
    if (DateOnly(NextNewMoon(ut - 1)) == day) {
        return 1;
    }
    return a;
}

std::string PhaseText(DateSerial ut, const ZoneSource& zone) {
    std::string text;
    switch (WaxWane(ut)) {
        case 2:
            text = "Растущая";
            break;
        case 4:
            text = "Убывающая";
            break;
        default:
            break;
    }
    const DateSerial day = DateOnly(ut);
    const DateSerial full = NextFullMoon(ut - 1);
    if (DateOnly(full) == day) {
        text = "Полнолуние\r\n" + FormatDateTime(UTToLocal(full, zone));
    }
    const DateSerial fresh = NextNewMoon(ut - 1);
    if (DateOnly(fresh) == day) {
        text = "Новолуние\r\n" + FormatDateTime(UTToLocal(fresh, zone));
    }
    return text;
}

Lunation LunationCursor::Locate(DateSerial ut) {
    const double b = SerialToJulianDay(ut) + kSearchOffset;
    if (!valid_) {
        lunation_ = StartEstimate(ut);
        start_ = PhaseInstant(lunation_, 0);
        end_ = PhaseInstant(lunation_ + 1, 0);
        valid_ = true;
    }
    while (start_ > b) {
        --lunation_;
        end_ = start_;
        start_ = PhaseInstant(lunation_, 0);
    }
    while (end_ <= b) {
        ++lunation_;
        start_ = end_;
        end_ = PhaseInstant(lunation_ + 1, 0);
    }
    return lunation_;
}

double LunationCursor::Age(DateSerial ut) {
    Locate(ut);
    return SerialToJulianDay(ut) - start_;
}

}  // namespace noctiva::core
