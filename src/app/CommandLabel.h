#pragma once
// A command of the window: a clickable label that holds an icon and a
// caption. The label itself is the hit area; its parts let the mouse through.

#include <QLabel>
#include <QRect>
#include <QString>

namespace noctiva::app {

QLabel* CommandLabel(QWidget* parent, const QString& picture, const QString& caption, QRect area,
                     double pointSize);

}  // namespace noctiva::app
