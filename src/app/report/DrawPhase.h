#pragma once
// The phase shadow of the Moon picture of the day report.

#include <QColor>
#include <QImage>

namespace noctiva::app {

// Colour of the shadowed part of the Moon.
inline constexpr QRgb kPhaseShadowRgb = qRgb(0, 45, 89);

// Paints the shadowed part of the Moon over the disc picture `disc` into
// `target`, which becomes a copy of the disc (ARGB32 premultiplied) with the
// shadow drawn as 181 horizontal lines, 2 pixels wide, from the terminator to
// the limb: the left limb while the Moon waxes (angle up to 180 degrees), the
// right limb while it wanes.
//
// The angle is the phase angle in degrees and is changed on the way: from 360
// on it becomes the angle rounded to a whole number (halves to even) modulo
// 360, and on the waning side (above 180) it is reduced by 180. Exactly 180
// leaves the bare disc. An angle that is not a finite number leaves both the
// angle and the target untouched.
void DrawPhase(float& angle, QImage& target, const QImage& disc);

}  // namespace noctiva::app
