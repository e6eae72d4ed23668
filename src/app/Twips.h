#pragma once
// The window layout is designed in twips: 1440 per inch, 15 per pixel at 96 dpi.

#include <QRect>

namespace noctiva::app {

inline constexpr int kTwipsPerPixel = 15;

constexpr QRect Twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

}  // namespace noctiva::app
