#include "app/report/ShadowLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace noctiva::app {

namespace {

QString WithLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    return text;
}

}  // namespace

ShadowLabel::ShadowLabel(QWidget* parent, const QString& text, QPoint offset, Shadow shadow,
                         Qt::Alignment alignment)
    : QWidget(parent), offset_(offset), shadowKind_(shadow), alignment_(alignment) {
    setAttribute(Qt::WA_TranslucentBackground);
    setText(text);
}

void ShadowLabel::setText(const QString& text) {
    shadow_ = WithLineBreaks(text);
    front_ = shadow_;
    fitHeight();
    update();
}

void ShadowLabel::place(QPoint topLeft, int width) {
    setGeometry(topLeft.x(), topLeft.y(), width + offset_.x(), sizeHint().height());
}

QRect ShadowLabel::frontTextRect() const {
    const QFontMetrics metrics(font());
    // A blank line keeps the height of one line, so an empty caption does
    // not collapse.
    const QString sample = front_.isEmpty() ? QStringLiteral(" ") : front_;
    const QRect box =
        metrics.boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft | Qt::TextExpandTabs, sample);
    return {0, 0, box.width(), box.height()};
}

QColor ShadowLabel::shadowColour() const {
    if (shadowKind_ == Shadow::SystemText) {
        return palette().color(QPalette::WindowText);
    }
    return Qt::black;
}

QSize ShadowLabel::sizeHint() const {
    const QRect box = frontTextRect();
    return {box.width() + offset_.x(), box.height() + offset_.y()};
}

void ShadowLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitHeight();
    }
    QWidget::changeEvent(event);
}

void ShadowLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect front(0, 0, width() - offset_.x(), height() - offset_.y());
    const int flags = static_cast<int>(alignment_) | Qt::TextExpandTabs;
    painter.setPen(shadowColour());
    painter.drawText(front.translated(offset_), flags, shadow_);
    painter.setPen(frontColour());
    painter.drawText(front, flags, front_);
}

void ShadowLabel::fitHeight() {
    const int height = sizeHint().height();
    if (this->height() != height) {
        resize(width(), height);
    }
}

}  // namespace noctiva::app
