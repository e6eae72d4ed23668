#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringView>

namespace noctiva::pictures {

// Resource path of a picture of the program: path(u"moon") is ":/pictures/moon.svg".
QString path(QStringView name);

// The picture drawn at a size in pixels, on a transparent background.
QImage render(QStringView name, QSize size);
// The same as a pixmap for the screen, sharp on high-density screens.
QPixmap pixmap(QStringView name, QSize size);

}  // namespace noctiva::pictures
