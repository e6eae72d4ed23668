#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QtDebug>

#include <unistd.h>

#include <utility>

namespace noctiva::platform {

namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");
constexpr int kWaitMs = 1000;

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent),
      name_(name.isEmpty() ? DefaultName() : std::move(name)),
      server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance() {
    server_->close();
}

QString SingleInstance::DefaultName() {
    // One copy per login session: the session's id when the login manager
    // gives one, and the user's runtime folder (private to the user, emptied
    // at logout) for the socket and its lock when there is one.
    QString name = QStringLiteral("noctiva-%1").arg(static_cast<qulonglong>(::getuid()));
    const QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (!session.isEmpty()) {
        name += QLatin1Char('-') + session;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        return QDir(runtime).filePath(name);
    }
    return name;
}

bool SingleInstance::isListening() const {
    return server_->isListening();
}

bool SingleInstance::tryAcquire() {
    if (server_->isListening()) {
        return true;
    }
    // The lock closes the gap between "nobody answers" and "listening" in
    // which two copies started together would both run. A lock left by a
    // crashed copy is recognised by its dead process id.
    auto lock = std::make_unique<QLockFile>(
        QDir(QDir::tempPath()).filePath(name_ + QStringLiteral(".lock")));
    lock->setStaleLockTime(0);  // a running copy's lock never expires by age
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
    } else if (lock->error() == QLockFile::LockFailedError) {
        knock();
        return false;
    } else if (knock()) {
        // No lock could be made at all: fall back to asking the socket.
        return false;
    }
    // A socket file left by a crashed copy would make listen() fail.
    QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) {
        // Run anyway: a program that never starts is worse than two copies.
        qWarning("noctiva: cannot listen on %s: %s", qUtf8Printable(name_),
                 qUtf8Printable(server_->errorString()));
    }
    return true;
}

bool SingleInstance::knock() const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kWaitMs)) {
        return false;
    }
    socket.write(kActivate);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto check = [this, socket] {
            const QByteArray data = socket->peek(kActivate.size());
            if (data == kActivate) {
                socket->read(kActivate.size());
                socket->disconnectFromServer();
                emit activateRequested();
            } else if (data.size() == kActivate.size() || !kActivate.startsWith(data)) {
                // Anything else is not ours: drop it unread.
                socket->abort();
                socket->deleteLater();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, check);
        check();
    }
}

}  // namespace noctiva::platform
