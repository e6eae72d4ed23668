#pragma once
// What the window tests share: local instants, their texts, and the zone.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/Form1.h"
#include "core/DateText.h"
#include "core/TimeBase.h"
#include "platform/SettingsStore.h"

namespace noctiva::testing {

inline core::DateSerial At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return core::SerialFromCivil(y, mo, d, h, mi, s);
}

inline QString Text(core::DateSerial d) {
    return QString::fromStdString(core::FormatDateTime(d));
}

// Moscow: three hours east of Greenwich, no daylight saving.
inline const core::FixedZone kMoscow = core::FixedZone::EastOfGreenwich(180);

// A window on a settings file of its own, in Moscow time, with a clock the
// test sets.
struct WindowHarness {
    QTemporaryDir dir;
    platform::SettingsStore store{dir.filePath("settings.ini")};
    core::DateSerial now = At(2009, 12, 9, 18, 30, 15);
    std::unique_ptr<app::Form1> form;

    // A new window on the same settings, as a new run of the program.
    void Make(bool load = true) {
        form =
            std::make_unique<app::Form1>(app::AppContext{store, kMoscow, [this] { return now; }});
        if (load) {
            form->Load();
        }
    }
    core::DateSerial Selected() const { return form->DTPicker1->serial(); }
};

}  // namespace noctiva::testing
