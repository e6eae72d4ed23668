#include "platform/HostHooks.h"

#include "core/Pump.h"

#include <QCoreApplication>

namespace noctiva::platform {

void InstallHostHooks() {
    noctiva::core::SetPumpEvents([] { QCoreApplication::processEvents(); });
}

}  // namespace noctiva::platform
