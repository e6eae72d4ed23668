#pragma once
// The lunation of an instant and what follows from it: the Moon's age, the
// lunar day, the phase angle, the illuminated part, waxing and waning, the
// previous and next new and full moons, and the phase of the calendar day.
// Every DateSerial argument here is Universal Time.

#include <cstdint>
#include <string>

#include "core/Phases.h"
#include "core/TimeBase.h"

namespace noctiva::core {

// Mean synodic month of the start estimate, the phase angle and the illumination.
inline constexpr double kSynodicMonth = 29.530589;
// The new moon that begins lunation 0, as a Universal Time serial.
inline constexpr double kLunationEpoch = 8388.51399305556;
// Added to an instant before it is compared with new-moon instants (about half a second).
inline constexpr double kSearchOffset = 0.00001158 / 2;

// The lunation whose new moon is at or before the instant (plus the search
// offset) and whose successor's new moon is after it.
Lunation LunationOf(DateSerial ut);
double MoonAge(DateSerial ut);
float PhaseAngle(DateSerial ut);
float Illumination(DateSerial ut);
// Whole days of age rounded up, at least 1.
double LunarDayFromAge(double age);

// 0 for an instant that is not accepted, 2 waxing, 4 waning.
int16_t WaxWane(DateSerial ut);

DateSerial PreviousNewMoon(DateSerial ut);
DateSerial NextNewMoon(DateSerial ut);
// The only event that comes back in local time.
DateSerial PreviousFullMoon(DateSerial ut, const ZoneSource& zone = TheSystemZone());
DateSerial NextFullMoon(DateSerial ut);

// 1 a new moon falls on the Universal Time calendar day, 3 a full moon, else
// 2 waxing, 4 waning, 0 not accepted.
int16_t PhaseClass(DateSerial ut);
// "Растущая", "Убывающая", or "Полнолуние"/"Новолуние", CR LF and the local
// instant of the event.
std::string PhaseText(DateSerial ut, const ZoneSource& zone = TheSystemZone());

// The same calendar day at 00:00.
DateSerial DateOnly(DateSerial d);

// The lunation search with its two bounding new moons kept between calls, for
// runs of instants that mostly share a lunation (a month, a search). It gives
// exactly the lunation and age of LunationOf and MoonAge.
class LunationCursor {
  public:
    Lunation Locate(DateSerial ut);
    double Age(DateSerial ut);

  private:
    bool valid_ = false;
    Lunation lunation_ = 0;
    JulianDay start_ = 0;  // new moon that begins lunation_
    JulianDay end_ = 0;    // new moon that begins lunation_ + 1
};

}  // namespace noctiva::core
