#pragma once
// What the window tests share: local instants, their texts, and the zone.

#include <QString>

#include "core/DateText.h"
#include "core/TimeBase.h"

namespace noctiva::testing {

inline core::DateSerial At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return core::SerialFromCivil(y, mo, d, h, mi, s);
}

inline QString Text(core::DateSerial d) {
    return QString::fromStdString(core::FormatDateTime(d));
}

// Moscow: three hours east of Greenwich, no daylight saving.
inline const core::FixedZone kMoscow = core::FixedZone::EastOfGreenwich(180);

}  // namespace noctiva::testing
