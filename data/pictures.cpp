#include "pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace noctiva::pictures {

QString path(QStringView name) {
    QString result = QStringLiteral(":/pictures/");
    result.append(name);
    result.append(QStringLiteral(".svg"));
    return result;
}

QImage render(QStringView name, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path(name));
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QPixmap pixmap(QStringView name, QSize size) {
    const qreal ratio = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                            ? qApp->devicePixelRatio()
                            : 1.0;
    QPixmap result = QPixmap::fromImage(render(name, size * ratio));
    result.setDevicePixelRatio(ratio);
    return result;
}

}  // namespace noctiva::pictures
