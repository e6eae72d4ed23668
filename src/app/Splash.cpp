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
    // The background picture is 400 by 250; the window takes its size.
    setFixedSize(400, 250);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QSvgRenderer(QStringLiteral(":/pictures/splash.svg")).render(&painter, QRectF(rect()));
    painter.setPen(QColor(230, 230, 200));
    painter.setFont(platform::UiFont(9));
    painter.drawText(QRect(0, height() - 34, width() - 16, 26), Qt::AlignRight | Qt::AlignVCenter,
                     version_);
}

}  // namespace noctiva::app
