// Cost of a month rebuild of the calendar page: 42 cells, one note read per
// day from a real settings file, two lunar computations per day. The yields
// to the event loop are switched off, so the figure is the work itself.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/CalendarPage.h"
#include "app/Form1.h"
#include "core/Pump.h"
#include "platform/SettingsStore.h"

namespace {

void MonthRebuild(benchmark::State& state) {
    QTemporaryDir dir;
    noctiva::platform::SettingsStore store(dir.filePath("settings.ini"));
    // A month with a note on every third day.
    for (int day = 1; day <= 31; day += 3) {
        (void)store.SaveSetting(noctiva::platform::kNotesSection,
                                QStringLiteral("%1.12.2009").arg(day, 2, 10, QLatin1Char('0')),
                                QStringLiteral("заметка"));
    }
    const noctiva::core::FixedZone zone = noctiva::core::FixedZone::EastOfGreenwich(180);
    const double now = noctiva::core::SerialFromCivil(2009, 12, 9, 18, 30);
    noctiva::app::Form1 form({store, zone, [now] { return now; }});
    form.Load();
    noctiva::core::SetPumpEvents(nullptr);
    for (auto _ : state) {
        form.PrevDate = 0;
        form.calendar().ShowCalen();
    }
}
BENCHMARK(MonthRebuild)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
