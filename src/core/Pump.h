#pragma once
// The host's hook that lets pending user-interface events run while a long
// computation is under way. Empty until the host installs one.

#include <functional>

namespace noctiva::core {

void SetPumpEvents(std::function<void()> hook);
void PumpEvents();

}  // namespace noctiva::core
