#pragma once

#include "core/TimeBase.h"

namespace noctiva::core::testing {

// A Universal Time serial from calendar fields.
inline DateSerial At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return SerialFromCivil(y, mo, d, h, mi, s);
}

// Seconds between two serials.
inline double SecondsBetween(DateSerial a, DateSerial b) {
    return (LinearTime(a) - LinearTime(b)) * 86400.0;
}

}  // namespace noctiva::core::testing
