#include "app/Splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include "platform/Fonts.h"

namespace noctiva::app {

Splash::Splash(QWidget* parent)
    : QWidget(parent,
              Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      version_(QStringLiteral("Версия: ") + QStringLiteral(NOCTIVA_VERSION)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(6765 / 15, 2775 / 15);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The picture (400 by 250) covers the window: scaled to its width, the
    // band of its middle shown.
    const double scale = static_cast<double>(width()) / 400.0;
    const QRectF target(0, (height() - 250.0 * scale) / 2, width(), 250.0 * scale);
    QSvgRenderer(QStringLiteral(":/pictures/splash.svg")).render(&painter, target);
    painter.setPen(QColor(230, 230, 200));
    painter.setFont(platform::UiFont(9));
    painter.drawText(QRect(0, height() - 34, width() - 16, 26), Qt::AlignRight | Qt::AlignVCenter,
                     version_);
}

}  // namespace noctiva::app
