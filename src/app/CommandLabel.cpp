#include "app/CommandLabel.h"

#include <QHBoxLayout>

#include "pictures.h"
#include "platform/Fonts.h"

namespace noctiva::app {

QLabel* CommandLabel(QWidget* parent, const QString& picture, const QString& caption, QRect area,
                     double pointSize) {
    auto* hit = new QLabel(parent);
    hit->setGeometry(area);
    hit->setCursor(Qt::PointingHandCursor);
    hit->setMouseTracking(true);
    auto* layout = new QHBoxLayout(hit);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    auto* icon = new QLabel(hit);
    icon->setPixmap(pictures::pixmap(picture, QSize(16, 16)));
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* text = new QLabel(caption, hit);
    text->setFont(platform::UiFont(pointSize));
    text->setWordWrap(true);
    text->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(icon);
    layout->addWidget(text, 1);
    return hit;
}

}  // namespace noctiva::app
