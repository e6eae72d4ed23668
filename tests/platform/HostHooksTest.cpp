#include "platform/HostHooks.h"

#include "core/Pump.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

class HostHooksTest : public QObject {
    Q_OBJECT

  private slots:
    void pumpRunsPendingEvents() {
        noctiva::platform::InstallHostHooks();
        bool ran = false;
        QTimer::singleShot(0, this, [&ran] { ran = true; });
        noctiva::core::PumpEvents();
        QVERIFY(ran);
    }
};

QTEST_GUILESS_MAIN(HostHooksTest)
#include "HostHooksTest.moc"
