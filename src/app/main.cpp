// The entry procedure: one copy per user, the splash, the main window.

#include <QApplication>
#include <QPointer>
#include <QSessionManager>

#include "app/ExitSignals.h"
#include "app/Form1.h"
#include "app/Splash.h"
#include "notes/BalloonController.h"
#include "platform/HostHooks.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Noctiva"));
    QApplication::setOrganizationName(QStringLiteral("Tarvel_Programming"));
    QApplication::setApplicationVersion(QStringLiteral(NOCTIVA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("noctiva"));

    noctiva::platform::SingleInstance instance;
    if (!instance.tryAcquire()) {
        return 0;  // the running copy comes forward; nothing else happens here
    }
    noctiva::platform::InstallHostHooks();

    noctiva::platform::SettingsStore store;
    const noctiva::core::ZoneSource& zone = noctiva::core::TheSystemZone();
    const bool toTray =
        store.GetBool(noctiva::platform::kMainSection, QStringLiteral("ToTray"), false);

    QPointer<noctiva::app::Splash> splash;
    if (!toTray) {
        splash = new noctiva::app::Splash;
        splash->show();
        splash->raise();
        splash->repaint();
        QApplication::processEvents();
    }

    noctiva::app::Form1 window({store, zone, noctiva::app::SystemClock(zone)});
    window.CloseSplash = [&splash] {
        if (splash) {
            splash->close();
        }
    };
    QObject::connect(&instance, &noctiva::platform::SingleInstance::activateRequested, &window,
                     [&window] {
                         window.showNormal();
                         window.raise();
                         window.activateWindow();
                     });
    noctiva::app::ExitSignals exitSignals([&window] {
        window.ExitMe();
        QApplication::quit();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.SaveSettings(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.ExitMe(); });

    window.Load();
    window.show();
    window.raise();
    window.activateWindow();
    // Started into the notification area: back there, unless a note of the
    // day came up while the window loaded.
    if (window.mnuToTray->isChecked() && window.ToTray && !window.balloon().BalloonVisible()) {
        window.ToTray();
    }
    // A desktop that never activates the window must not keep the splash up.
    QTimer::singleShot(5000, &window, [&window] {
        if (window.CloseSplash) {
            window.CloseSplash();
        }
    });
    return QApplication::exec();
}
