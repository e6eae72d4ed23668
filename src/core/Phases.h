#pragma once
// Instants of the principal phases of the Moon, by the phases-of-the-Moon
// method of J. Meeus (Astronomical Algorithms, 1991): a mean-phase polynomial
// corrected by periodic and planetary terms.

#include <cstdint>

#include "core/TimeBase.h"

namespace noctiva::core {

// Lunation 0 begins with the new moon of 18 December 1922; lunation 953 with
// that of 6 January 2000.
using Lunation = int32_t;

// 0 new moon, 1 first quarter, 2 full moon, 3 last quarter.
using Quarter = int16_t;

// The instant of a phase as a Julian Day, used as Universal Time (no ΔT).
JulianDay PhaseInstant(Lunation lunation, Quarter quarter);

}  // namespace noctiva::core
