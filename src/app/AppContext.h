#pragma once
// What the main window needs from the outside world, so that tests can give
// it a settings file of their own, a fixed zone and a fixed clock.

#include <functional>

#include "core/TimeBase.h"

namespace noctiva::platform {
class SettingsStore;
}

namespace noctiva::app {

struct AppContext {
    platform::SettingsStore& store;
    const core::ZoneSource& zone;
    // The current local date-time, to the second.
    std::function<core::DateSerial()> now;
};

// The clock of the running program: the system time in the given zone.
std::function<core::DateSerial()> SystemClock(const core::ZoneSource& zone);

}  // namespace noctiva::app
