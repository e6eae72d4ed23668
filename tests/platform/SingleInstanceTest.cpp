#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

using noctiva::platform::SingleInstance;

namespace {

const char* const kCrashHolder = "--hold-and-crash";

QString uniqueName() {
    static int counter = 0;
    return QStringLiteral("noctiva-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

QString socketPath(const QString& name) {
    return QDir(QDir::tempPath()).filePath(name);
}

// What a crashed process leaves behind: a bound socket inode nobody listens on.
bool makeDeadSocket(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (native.size() >= static_cast<qsizetype>(sizeof(addr.sun_path))) {
        return false;
    }
    std::memcpy(addr.sun_path, native.constData(), native.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void defaultNameHoldsUserId() {
        QCOMPARE(SingleInstance::DefaultName(), QStringLiteral("noctiva-%1").arg(::getuid()));
        QCOMPARE(SingleInstance().name(), SingleInstance::DefaultName());
    }

    void secondStartKnocksAndGivesWay() {
        const QString name = uniqueName();
        SingleInstance first(name);
        QSignalSpy activated(&first, &SingleInstance::activateRequested);
        QVERIFY(first.tryAcquire());
        QVERIFY(first.isListening());
        QVERIFY(first.tryAcquire());  // asking again changes nothing

        SingleInstance second(name);
        QVERIFY(!second.tryAcquire());
        QVERIFY(!second.isListening());
        QVERIFY(activated.wait(3000));
        QCOMPARE(activated.count(), 1);

        SingleInstance third(name);
        QVERIFY(!third.tryAcquire());
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 2, 3000);
    }

    void endedInstanceFreesTheName() {
        const QString name = uniqueName();
        {
            SingleInstance first(name);
            QVERIFY(first.tryAcquire());
        }
        SingleInstance next(name);
        QVERIFY(next.tryAcquire());
        QVERIFY(next.isListening());
    }

    void foreignMessageIsIgnored() {
        const QString name = uniqueName();
        SingleInstance first(name);
        QSignalSpy activated(&first, &SingleInstance::activateRequested);
        QVERIFY(first.tryAcquire());

        const QByteArray messages[] = {"hello, world\n", "activat", "activateX\n",
                                       QByteArray(4096, 'a')};
        for (const QByteArray& message : messages) {
            QLocalSocket socket;
            socket.connectToServer(name);
            QVERIFY(socket.waitForConnected(3000));
            socket.write(message);
            QVERIFY(socket.waitForBytesWritten(3000));
            socket.disconnectFromServer();
        }
        QTest::qWait(300);
        QCOMPARE(activated.count(), 0);

        SingleInstance second(name);
        QVERIFY(!second.tryAcquire());
        QVERIFY(activated.wait(3000));
    }

    void leftoverSocketFileDoesNotBlock_data() {
        QTest::addColumn<bool>("realSocket");
        QTest::newRow("plain file") << false;
        QTest::newRow("unbound socket") << true;
    }

    void leftoverSocketFileDoesNotBlock() {
        QFETCH(bool, realSocket);
        const QString name = uniqueName();
        const QString path = socketPath(name);
        if (realSocket) {
            QVERIFY(makeDeadSocket(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFileInfo::exists(path));

        SingleInstance instance(name);
        QVERIFY(instance.tryAcquire());
        QVERIFY(instance.isListening());
    }

    void killedInstanceDoesNotBlock() {
        const QString name = uniqueName();
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(kCrashHolder), name});
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(holder.exitStatus(), QProcess::CrashExit);
        QCOMPARE(holder.readAllStandardOutput(), QByteArray("ready\n"));
        QVERIFY(QFileInfo::exists(socketPath(name)));  // left behind

        SingleInstance instance(name);
        QSignalSpy activated(&instance, &SingleInstance::activateRequested);
        QVERIFY(instance.tryAcquire());
        QVERIFY(instance.isListening());

        SingleInstance second(name);
        QVERIFY(!second.tryAcquire());
        QVERIFY(activated.wait(3000));
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kCrashHolder) == 0) {
        // Child of killedInstanceDoesNotBlock: take the name, then die hard.
        QCoreApplication app(argc, argv);
        SingleInstance instance(QString::fromLocal8Bit(argv[2]));
        if (!instance.tryAcquire()) {
            return 2;
        }
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        std::raise(SIGKILL);
        return 3;
    }
    QCoreApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstanceTest.moc"
