#include "app/report/DrawPhase.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace noctiva::app {

void DrawPhase(float& angle, QImage& target, const QImage& disc) {
    if (!std::isfinite(angle)) {
        return;
    }
    const double k = std::atan(1.0) / 45.0;

    // Whole degrees modulo 360 once past a full turn; std::rint rounds halves
    // to even in the default rounding mode. Staying in floating point keeps
    // a huge angle from overflowing an integer.
    if (angle >= 360.0F) {
        angle = static_cast<float>(std::fmod(std::rint(static_cast<double>(angle)), 360.0));
    }
    float side = -1.0F;
    if (angle > 180.0F) {
        side = 1.0F;
        angle -= 180.0F;
    }

    target = disc.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (angle == 180.0F || target.isNull()) {
        return;
    }

    const float r = static_cast<float>(target.width()) / 2.0F;
    const float cosAngle = static_cast<float>(std::cos(static_cast<double>(angle) * k));

    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor::fromRgb(kPhaseShadowRgb)};
    pen.setWidthF(2.0);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    for (int t = -90; t <= 90; ++t) {
        const auto cosT = static_cast<float>(std::cos(t * k));
        const auto sinT = static_cast<float>(std::sin(t * k));
        const float x1 = r + r * cosAngle * cosT;
        const float x2 = r + r * cosT * side;
        const float y = r - r * sinT;
        painter.drawLine(QLineF(x1, y, x2, y));
    }
}

}  // namespace noctiva::app
