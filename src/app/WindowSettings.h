#pragma once
// The main window's settings as stored between runs: read at load, written
// at exit. A stored value that does not parse as its type counts as missing.

#include <QtGlobal>
#include <optional>

namespace noctiva::platform {
class SettingsStore;
}

namespace noctiva::app {

struct WindowSettings {
    bool toTray = false;
    std::optional<int> top;   // twips; missing: centred
    std::optional<int> left;  // twips; missing: centred
    bool zam = true;
    bool ecliptic = false;
    bool customColor = false;
    qint64 colorValue = -2147483633;  // the system button face
    int color = 0;                    // scheme index; -1 at exit when no scheme item is checked
    bool wineMode = false;
    int fontSize = 1;  // 0 to 4
    int category = 0;
    bool inTray = false;
};

WindowSettings ReadWindowSettings(const platform::SettingsStore& store);
// Writes every key; "Top"/"Left" only when set, "Color" only when not -1.
// Returns false when one of the writes did not reach the disk.
bool WriteWindowSettings(platform::SettingsStore& store, const WindowSettings& s);

}  // namespace noctiva::app
