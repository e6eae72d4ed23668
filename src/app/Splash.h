#pragma once
// The start-up window: borderless, centred, above the others, not in the
// taskbar, with the program's title and version.

#include <QWidget>

namespace noctiva::app {

class Splash : public QWidget {
    Q_OBJECT
  public:
    explicit Splash(QWidget* parent = nullptr);
    QString versionText() const { return version_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString version_;
};

}  // namespace noctiva::app
