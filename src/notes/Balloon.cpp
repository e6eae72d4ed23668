#include "notes/Balloon.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

#include "pictures.h"
#include "platform/Fonts.h"

namespace noctiva::notes {

namespace {

constexpr double kFontPoints = 8.25;
const QChar kEllipsis(0x2026);

constexpr double kSmallestTitlePoints = 6.5;

QFont titleFont(double points = kFontPoints) {
    return platform::UiFont(points, true);
}
QFont textFont() {
    return platform::UiFont(kFontPoints);
}

// Line breaks of the stored text (CR LF, and lone CR or LF) as line separators.
QString layoutText(const QString& note) {
    QString text = note;
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator);
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

struct LineSpan {
    int start = 0;
    int length = 0;
    double bottom = 0;  // from the top of the text
};

// Lays the text out as the note label wraps it: at word boundaries, or
// anywhere inside a word wider than the label.
void layOut(QTextLayout& layout, const QString& text) {
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setText(text);
    layout.setFont(textFont());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(kTextWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

std::vector<LineSpan> linesOf(const QString& text) {
    QTextLayout layout;
    layOut(layout, text);
    std::vector<LineSpan> lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        lines.push_back({line.textStart(), line.textLength(), line.y() + line.height()});
    }
    return lines;
}

int heightOf(const std::vector<LineSpan>& lines) {
    return lines.empty() ? 0 : static_cast<int>(std::ceil(lines.back().bottom));
}

// The first `count` lines of `text`, the last of them ending in an ellipsis.
QString clipToLines(const QString& text, const std::vector<LineSpan>& lines, size_t count) {
    if (count == 0) {
        return QString();
    }
    const LineSpan& last = lines[count - 1];
    const QString head = text.left(last.start);
    QString tail = text.mid(last.start, last.length);
    while (!tail.isEmpty() && (tail.back().isSpace() || tail.back() == QChar::LineSeparator)) {
        tail.chop(1);
    }
    const QFontMetricsF metrics(textFont());
    while (!tail.isEmpty() && metrics.horizontalAdvance(tail + kEllipsis) > kTextWidth) {
        tail.chop(1);
        if (!tail.isEmpty() && tail.back().isHighSurrogate()) {
            tail.chop(1);
        }
    }
    return head + tail + kEllipsis;
}

void drawPiece(QPainter& painter, const QString& name, const QRectF& target) {
    // The pieces' outlines run past their edges so that their joins need no
    // caps: keep every piece inside its own rectangle.
    QSvgRenderer renderer(pictures::path(name));
    painter.save();
    painter.setClipRect(target);
    renderer.render(&painter, target);
    painter.restore();
}

}  // namespace

BalloonPicture ComposeBalloon(const QString& title, const QString& note, int maxWindowHeight) {
    BalloonPicture result;
    // A title wider than its area is drawn smaller, down to a limit, and then
    // elided: fonts wider than the designed one must not cut off the date.
    result.titlePoints = kFontPoints;
    while (result.titlePoints > kSmallestTitlePoints &&
           QFontMetrics(titleFont(result.titlePoints)).horizontalAdvance(title) >
               kTitleRect.width()) {
        result.titlePoints -= 0.25;
    }
    result.title = QFontMetrics(titleFont(result.titlePoints))
                       .elidedText(title, Qt::ElideRight, kTitleRect.width());

    const QString text = layoutText(note);
    std::vector<LineSpan> lines = linesOf(text);
    const int budget = maxWindowHeight - kCanvasOffset - kTopHeight - kBottomHeight;
    result.text = text;
    if (heightOf(lines) > budget) {
        result.clipped = true;
        size_t fit = 0;
        while (fit < lines.size() && lines[fit].bottom <= budget) {
            ++fit;
        }
        // Re-wrapping the clipped text can only keep or shorten its lines; the
        // loop makes sure of the bound all the same.
        for (;;) {
            result.text = clipToLines(text, lines, fit);
            if (fit == 0 || heightOf(linesOf(result.text)) <= budget) {
                break;
            }
            --fit;
        }
    }
    result.textHeight = heightOf(linesOf(result.text));

    const int height = kTopHeight + result.textHeight + kBottomHeight;
    result.picture = QImage(kBalloonWidth, height, QImage::Format_RGB32);
    result.picture.fill(Qt::white);
    QPainter painter(&result.picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPiece(painter, QStringLiteral("balloon_top"), QRectF(0, 0, kBalloonWidth, kTopHeight));
    if (result.textHeight > 0) {
        drawPiece(painter, QStringLiteral("balloon_middle"),
                  QRectF(0, kTopHeight, kBalloonWidth, result.textHeight));
    }
    drawPiece(painter, QStringLiteral("balloon_bottom"),
              QRectF(0, kTopHeight + result.textHeight, kBalloonWidth, kBottomHeight));
    return result;
}

QImage RenderBalloon(const BalloonPicture& balloon) {
    QImage image = balloon.picture.copy();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    painter.setFont(titleFont(balloon.titlePoints));
    painter.drawText(kTitleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     balloon.title);
    QTextLayout layout;
    layOut(layout, balloon.text);
    layout.draw(&painter, QPointF(kTextLeft, kTopHeight));
    return image;
}

QRegion RegionFromImage(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const auto isKey = [](QRgb p) { return (p & 0xFFFFFFu) == 0xFFFFFFu; };
    QRegion region;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        for (;;) {
            while (x < w && isKey(row[x])) {
                ++x;
            }
            if (x >= w) {
                break;
            }
            const int start = x;
            while (x < w && !isKey(row[x])) {
                ++x;
            }
            // Window coordinates of the run for a picture at (1, 1); a run
            // that reaches the right edge ends one pixel short of it.
            const int left = start + kCanvasOffset;
            const int right = x < w ? x + kCanvasOffset : w;
            if (right > left) {
                region += QRect(left, y + kCanvasOffset, right - left, 1);
            }
        }
    }
    return region;
}

bool MakeTransparent(QWidget* window, int opacity) {
    if (window == nullptr || !window->isWindow()) {
        return false;
    }
    window->setWindowOpacity(std::clamp(opacity, 0, 255) / 255.0);
    return true;
}

Balon::Balon(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" "));
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(QStringLiteral("Balon"));
}

void Balon::Compose(const QString& title, const QString& note) {
    picture_ = ComposeBalloon(title, note, availableArea().height());
    rendered_ = RenderBalloon(picture_);
    resize(picture_.picture.width() + kCanvasOffset, picture_.picture.height() + kCanvasOffset);
    const QRegion region = RegionFromImage(picture_.picture);
    if (region.isEmpty()) {
        clearMask();
    } else {
        setMask(region);
    }
    fitOnScreen();
    MakeTransparent(this, kBalloonOpacity);
    update();
}

void Balon::Place(QPoint topLeft) {
    wanted_ = topLeft;
    fitOnScreen();
}

QRect Balon::availableArea() const {
    QScreen* screen = QGuiApplication::screenAt(wanted_);
    if (screen == nullptr) {
        screen = this->screen();
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void Balon::fitOnScreen() {
    const QRect area = availableArea();
    QPoint p = wanted_;
    p.setX(std::max(area.left(), std::min(p.x(), area.left() + area.width() - width())));
    p.setY(std::max(area.top(), std::min(p.y(), area.top() + area.height() - height())));
    move(p);
}

void Balon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(kCanvasOffset, kCanvasOffset), rendered_);
}

void Balon::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Balon::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

void Balon::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        emit escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace noctiva::notes
