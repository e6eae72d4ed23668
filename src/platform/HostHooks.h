#pragma once

namespace noctiva::platform {

// Lets the lunar core run pending user-interface events during its long
// searches (QCoreApplication::processEvents). Call once the application
// object exists.
void InstallHostHooks();

}  // namespace noctiva::platform
