#include "app/daycell/Day.h"

#include "pictures.h"
#include "platform/Fonts.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace noctiva::app {

namespace {

// Symbol codes above this one name a sign (94 Aries .. 105 Pisces).
constexpr int kNoSignCode = 93;

// Places within the cell in design pixels (the cell is kDesignWidth by
// kDesignHeight). The face's top strip of 7 pixels lies above the cell's
// edge, so the places here are 7 pixels higher than on the face.
constexpr QRect kDayNumberRect{4, 1, 21, 19};
constexpr QRect kGlyphRect{18, 1, 33, 20};
constexpr QRect kMoonDayRect{4, 23, 41, 19};
constexpr QPoint kOnceMarkerPos{37, 23};
constexpr QPoint kZodiacMarkerPos{31, 15};
constexpr int kMarkerSize = 16;
// Each further visible marker stands this far to the left of and above the
// one before it.
constexpr int kMarkerStep = 3;

constexpr double kDayNumberPt = 9.0;
constexpr double kGlyphPt = 9.75;
constexpr double kMoonDayPt = 8.25;

// Number at the start of a text ("12/13" gives 12), 0 when there is none.
int leadingNumber(QStringView text) {
    qsizetype n = 0;
    while (n < text.size() && text.at(n).isDigit() && n < 9) {
        ++n;
    }
    return n == 0 ? 0 : text.left(n).toInt();
}

}  // namespace

// The face: fills the whole cell with the cell's face colour and a thin frame
// line.
class Day::Face : public QWidget {
  public:
    explicit Face(Day* day) : QWidget(day), day_(day) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), day_->GetBackColor());
        p.setPen(day_->palette().color(QPalette::Active, QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    Day* day_;
};

// A note marker: a 16 by 16 picture drawn from the program's pictures.
class Day::Marker : public QWidget {
  public:
    Marker(QWidget* parent, QStringView picture)
        : QWidget(parent), renderer_(pictures::path(picture), this) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        renderer_.render(&p, QRectF(rect()));
    }

  private:
    QSvgRenderer renderer_;
};

Day::Day(QWidget* parent) : QWidget(parent) {
    face_ = new Face(this);
    face_->setObjectName(QStringLiteral("Frame1"));

    label1_ = new QLabel(face_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setFont(platform::UiFont(kDayNumberPt, true));
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    label2_ = new QLabel(face_);
    label2_->setObjectName(QStringLiteral("Label2"));
    QFont glyphFont(platform::GlyphFamily());
    glyphFont.setPointSizeF(kGlyphPt);
    label2_->setFont(glyphFont);
    label2_->setAlignment(Qt::AlignRight | Qt::AlignTop);

    label3_ = new QLabel(face_);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setFont(platform::UiFont(kMoonDayPt));
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (QLabel* label : {label1_, label2_, label3_}) {
        label->setTextFormat(Qt::PlainText);
    }

    markers_[0] = new Marker(face_, u"marker_once");
    markers_[0]->setToolTip(QStringLiteral("Одноразовое напоминание"));
    markers_[1] = new Marker(face_, u"marker_note");
    markers_[2] = new Marker(face_, u"marker_zodiac");
    markers_[2]->setToolTip(QStringLiteral("Напоминание на вхождение в зодиак"));
    markerPos_ = {kOnceMarkerPos, kOnceMarkerPos, kZodiacMarkerPos};
    for (int i = 0; i < kMarkerCount; ++i) {
        markers_[i]->setObjectName(QStringLiteral("Image1_%1").arg(i));
        markers_[i]->hide();
    }

    face_->setMouseTracking(true);
    face_->installEventFilter(this);
    for (QWidget* part : face_->findChildren<QWidget*>()) {
        part->setMouseTracking(true);
        part->installEventFilter(this);
    }

    resize(kDesignWidth, kDesignHeight);
    SetDay(0);
    applyTextColors();
}

Day::~Day() = default;

QSize Day::sizeHint() const {
    return {kDesignWidth, kDesignHeight};
}

QColor Day::resolve(const Shade& s) const {
    if (const auto* role = std::get_if<QPalette::ColorRole>(&s)) {
        return palette().color(QPalette::Active, *role);
    }
    return std::get<QColor>(s);
}

void Day::setFace(const Shade& s) {
    faceShade_ = s;
    face_->update();
}

void Day::applyTextColors() {
    const QPalette& pal = palette();
    const QColor dayText =
        pal.color(QPalette::Active, selectedText_ ? QPalette::HighlightedText : QPalette::Text);
    const QColor moonText =
        selectedText_ ? pal.color(QPalette::Active, QPalette::ToolTipBase) : kMoonDayColor;
    auto paint = [](QLabel* label, const QColor& c) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, c);
        label->setPalette(p);
    };
    paint(label1_, dayText);
    paint(label2_, dayText);
    paint(label3_, moonText);
}

void Day::SetDay(int d) {
    hasDay_ = d > 0;
    if (hasDay_) {
        setFace(QPalette::Base);
        label1_->setText(QString::number(d));
    } else {
        setFace(noDayColor_);
        label1_->clear();
    }
    // A new day is not the selected one: leave no selection colours behind
    // for the calendar's deselection, which a cell without a day ignores.
    if (selectedText_) {
        selectedText_ = false;
        applyTextColors();
    }
    facePressed_ = false;
    face_->setEnabled(hasDay_);
    ownShade_ = faceShade_;
}

void Day::SetMoonDay(int d) {
    label3_->setText(d <= 0 ? QString() : QString::number(d));
}

void Day::SetZodiac2(int d) {
    const QString p = d <= kNoSignCode ? QString() : platform::ZodiacGlyph(d);
    if (p != label2_->text()) {
        label2_->setText(label2_->text() + p);
    }
}

void Day::SetMoonDay2(int d) {
    if (d <= 0) {
        // No lunar day at the end of the day: nothing to add (and no "12/").
        return;
    }
    const QString p = QString::number(d);
    const QString old = label3_->text();
    if (old.isEmpty()) {
        label3_->setText(p);
    } else if (p != old) {
        label3_->setText(old + u'/' + p);
    }
}

void Day::SetZodiac(int d) {
    label2_->setText(d <= kNoSignCode ? QString() : platform::ZodiacGlyph(d));
}

void Day::SetBackColor(const QColor& c) {
    if (hasDay_ && GetBackColor() != palette().color(QPalette::Active, QPalette::Highlight)) {
        setFace(c);
    }
}

void Day::SetSelect() {
    if (!hasDay_) {
        return;
    }
    setFace(QPalette::Highlight);
    selectedText_ = true;
    applyTextColors();
}

void Day::SetDeSelect() {
    if (!hasDay_) {
        return;
    }
    setFace(ownShade_);
    selectedText_ = false;
    applyTextColors();
}

QColor Day::GetBackColor() const {
    return resolve(faceShade_);
}

void Day::SetToday() {
    setFace(kTodayColor);
    ownShade_ = kTodayColor;
}

int Day::GetDay() const {
    return leadingNumber(label1_->text());
}

int Day::GetNewZodiak() const {
    const QString text = label2_->text();
    if (text.size() < 2) {
        return kNoSignCode;
    }
    return platform::ZodiacCodeOf(text.back()) - kNoSignCode;
}

int Day::GetNewMoonDay() const {
    const QString text = label3_->text();
    const qsizetype slash = text.lastIndexOf(u'/');
    return leadingNumber(QStringView(text).mid(slash + 1));
}

void Day::SheudExist(const QString& Exst) {
    if (!face_->isEnabled()) {
        for (Marker* m : markers_) {
            m->hide();
        }
        return;
    }
    const bool once = Exst.contains(u'd');
    const bool note = Exst.contains(u'm');
    const bool zodiac = Exst.contains(u'z');
    markers_[0]->setVisible(once);
    markers_[1]->setVisible(note);
    markers_[2]->setVisible(zodiac);

    const QPoint step(kMarkerStep, kMarkerStep);
    markerPos_[1] = once ? markerPos_[0] - step : markerPos_[0];
    if (note) {
        markerPos_[2] = markerPos_[1] - step;
    } else if (once) {
        markerPos_[2] = markerPos_[1];
    } else {
        markerPos_[2] = markerPos_[0];
    }
    placeParts();
}

void Day::SetDesc(const QString& d) {
    markers_[1]->setVisible(!d.isEmpty());
}

WId Day::GetHWND() const {
    return face_->effectiveWinId();
}

bool Day::IsMarked() const {
    return !markers_[1]->isHidden();
}

void Day::SetNoDayColor(const QColor& c) {
    noDayColor_ = c;
    if (!hasDay_) {
        setFace(c);
        ownShade_ = faceShade_;
    }
}

void Day::placeParts() {
    face_->setGeometry(rect());
    const double sx = double(width()) / kDesignWidth;
    const double sy = double(height()) / kDesignHeight;
    auto scaled = [&](QRect r) {
        const int left = int(std::lround(r.left() * sx));
        const int top = int(std::lround(r.top() * sy));
        const int right = int(std::lround((r.left() + r.width()) * sx));
        const int bottom = int(std::lround((r.top() + r.height()) * sy));
        return QRect(left, top, right - left, bottom - top);
    };

    // The fonts may be wider than the ones the places were drawn for: widen
    // the labels so that the widest texts they show are not cut, keeping the
    // glyphs' right edge.
    auto atLeast = [](QRect r, const QLabel* label, const QString& widest, bool keepRight) {
        const int need = label->fontMetrics().horizontalAdvance(widest) + 1;
        if (r.width() < need) {
            if (keepRight) {
                r.setLeft(std::max(0, r.right() + 1 - need));
            } else {
                r.setWidth(need);
            }
        }
        return r;
    };
    const QString twoGlyphs = platform::ZodiacGlyph(platform::kFirstZodiacCode + 10) +
                              platform::ZodiacGlyph(platform::kFirstZodiacCode + 11);
    // The labels end at the cell's edges, which cut the design's lower strip.
    const QRect cell = rect();
    label1_->setGeometry(
        atLeast(scaled(kDayNumberRect), label1_, QStringLiteral("00"), false).intersected(cell));
    label2_->setGeometry(atLeast(scaled(kGlyphRect), label2_, twoGlyphs, true).intersected(cell));
    label3_->setGeometry(
        atLeast(scaled(kMoonDayRect), label3_, QStringLiteral("00/00"), false).intersected(cell));

    for (int i = 0; i < kMarkerCount; ++i) {
        const QPoint pos(int(std::lround(markerPos_[i].x() * sx)),
                         int(std::lround(markerPos_[i].y() * sy)));
        markers_[i]->setGeometry(QRect(pos, QSize(kMarkerSize, kMarkerSize)));
    }
}

void Day::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeParts();
}

void Day::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        applyTextColors();
        face_->update();
    } else if (event->type() == QEvent::FontChange) {
        placeParts();
    }
}

bool Day::isPart(const QObject* o) const {
    return o == face_ || o == label1_ || o == label2_ || o == label3_ ||
           std::find(markers_.begin(), markers_.end(), o) != markers_.end();
}

bool Day::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
                       type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (!mouse || !isPart(watched)) {
        return QWidget::eventFilter(watched, event);
    }
    // A cell without a day takes no mouse input: its events go on to the widget
    // below the cell.
    if (!hasDay_ || !face_->isEnabled()) {
        facePressed_ = false;
        return false;
    }
    const auto* me = static_cast<QMouseEvent*>(event);
    switch (type) {
        case QEvent::MouseMove:
            emit MouseMove();
            break;
        case QEvent::MouseButtonPress:
            if (watched == face_) {
                // The face reports a click: a left press and release on it.
                facePressed_ = me->button() == Qt::LeftButton;
            } else {
                // The labels and markers report any button as it goes down.
                emit MouseUp();
            }
            break;
        case QEvent::MouseButtonRelease:
            if (watched == face_ && facePressed_ && me->button() == Qt::LeftButton) {
                facePressed_ = false;
                if (face_->rect().contains(me->position().toPoint())) {
                    emit MouseUp();
                }
            }
            break;
        case QEvent::MouseButtonDblClick:
            facePressed_ = false;
            emit DblClick();
            break;
        default:
            break;
    }
    return true;
}

}  // namespace noctiva::app
