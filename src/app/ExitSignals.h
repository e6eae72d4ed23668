#pragma once
// Turns SIGTERM and SIGINT (logout, shutdown, Ctrl+C) into an orderly exit
// on the user-interface thread, so that the settings are written.

#include <QObject>
#include <functional>

namespace noctiva::app {

class ExitSignals : public QObject {
    Q_OBJECT
  public:
    // onSignal runs on the event loop once a signal arrived.
    explicit ExitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~ExitSignals() override;

  private:
    std::function<void()> onSignal_;
};

}  // namespace noctiva::app
