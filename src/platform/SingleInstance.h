#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace noctiva::platform {

// One running copy per user. The first copy holds a lock file and listens on
// a local socket; a later start finds the lock taken, knocks on the socket so
// that the first copy brings its window forward, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // An empty name stands for DefaultName(): "noctiva-<uid>[-<session>]" in
    // the user's runtime folder when there is one, else in the temporary folder.
    explicit SingleInstance(QString name = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString DefaultName();

    // True in the first copy (it now listens); false when another copy runs
    // and was asked to come forward: the caller then ends at once.
    bool tryAcquire();

    QString name() const { return name_; }
    bool isListening() const;

  signals:
    // A later start asked this copy to bring its window forward.
    void activateRequested();

  private:
    bool knock() const;
    void onNewConnection();

    QString name_;
    QLocalServer* server_ = nullptr;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace noctiva::platform
