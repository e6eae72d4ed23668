#pragma once

#include <QString>
#include <QStringView>

namespace noctiva::pictures {

// Resource path of a picture of the program: path(u"moon") is ":/pictures/moon.svg".
QString path(QStringView name);

}  // namespace noctiva::pictures
