#include "core/Pump.h"

#include <utility>

namespace noctiva::core {

namespace {
std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void SetPumpEvents(std::function<void()> hook) {
    Hook() = std::move(hook);
}

void PumpEvents() {
    // Copy first: the hook may replace itself while it runs.
    if (auto hook = Hook()) {
        hook();
    }
}

}  // namespace noctiva::core
