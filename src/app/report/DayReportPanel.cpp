#include "app/report/DayReportPanel.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <cmath>

#include "app/report/ShadowLabel.h"
#include "pictures.h"
#include "platform/Fonts.h"

namespace noctiva::app {

namespace {

// Twips to pixels at 15 twips per pixel, to the nearest pixel.
constexpr int Px(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}
constexpr double kTwipsPerPixel = 15.0;

// Picture2 inside the panel and its size.
constexpr QPoint kPicture2Pos{Px(90), Px(90)};
constexpr int kPicture2Width = Px(2700);
constexpr int kPicture2Height = Px(7080);
// The Moon picture inside Picture2.
constexpr QPoint kPicture3Pos{Px(75), Px(120)};
constexpr int kMoonSize = Px(2550);
// Top of the sign picture or the ecliptic wheel in Picture2.
constexpr int kLargePictureTop = Px(3875);
constexpr QSize kLargePictureSize{180, 214};

// The ecliptic display: the marker's circle in twips of Picture2.
constexpr double kWheelCentreX = 1360;
constexpr double kWheelCentreY = 5430;
constexpr double kWheelRadius = 800;
constexpr int kMarkerTwips = 240;
// The program's value of pi for the wheel.
constexpr double kWheelPi = 3.14159;

constexpr QColor kYellow{255, 255, 0};

QLabel* PictureLabel(QWidget* parent, QStringView name, QPoint pos, QSize size,
                     const QString& toolTip) {
    auto* label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(pictures::render(name, size)));
    label->setGeometry(QRect(pos, size));
    label->setToolTip(toolTip);
    return label;
}

// A text of the panel lying over the Moon picture: positioned in Picture3
// twips, centred on the Moon across the whole width of Picture2, and letting
// the pointer through so that the Moon's tooltip shows.
ShadowLabel* MoonText(QWidget* picture2, const QString& text, QPoint yellowTwips, QPoint darkTwips,
                      ShadowLabel::Shadow shadow, const QFont& font) {
    const QPoint offset(Px(darkTwips.x()) - Px(yellowTwips.x()),
                        Px(darkTwips.y()) - Px(yellowTwips.y()));
    auto* label = new ShadowLabel(picture2, text, offset, shadow, Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->place(QPoint(0, kPicture3Pos.y() + Px(yellowTwips.y())), kPicture2Width - offset.x());
    return label;
}

}  // namespace

DayReportPanel::DayReportPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setFixedSize(kWidth, kHeight);

    // Picture2: black, with the background picture; what is painted into it
    // stays until something else is painted over it.
    background_ = QImage(kPicture2Width, kPicture2Height, QImage::Format_ARGB32_Premultiplied);
    background_.fill(Qt::black);
    {
        const QImage picture = pictures::render(u"background", background_.size());
        QPainter painter(&background_);
        painter.drawImage(0, 0, picture);
    }
    canvas_ = background_;
    picture2_ = new QLabel(this);
    picture2_->setGeometry(QRect(kPicture2Pos, canvas_.size()));
    picture2_->setPixmap(QPixmap::fromImage(canvas_));

    // Picture3: the Moon.
    disc_ = pictures::render(u"moon", QSize(kMoonSize, kMoonSize));
    phaseImage_ = disc_;
    picture3_ = new QLabel(picture2_);
    picture3_->setGeometry(QRect(kPicture3Pos, disc_.size()));
    picture3_->setPixmap(QPixmap::fromImage(phaseImage_));
    picture3_->setToolTip(QStringLiteral("Фаза в реальном времени"));

    using Shadow = ShadowLabel::Shadow;
    caption_ = MoonText(picture2_, QStringLiteral("Лунный день:"), {-15, 690}, {0, 705},
                        Shadow::SystemText, platform::UiFont(9.75, true));
    lunarDay_ = MoonText(picture2_, QStringLiteral("XX"), {-75, 930}, {-75, 960}, Shadow::Black,
                         platform::UiFont(18, true));
    visibility_ = MoonText(picture2_, QStringLiteral("Видимость Луны: 100 %"), {90, 1485},
                           {105, 1500}, Shadow::Black, platform::UiFont(8.25, true));
    phase_ = MoonText(picture2_, QStringLiteral("Описание"), {45, 1785}, {60, 1800},
                      Shadow::SystemText, platform::UiFont(9.75));

    // The new and full moons.
    newMoonIcon_ = PictureLabel(picture2_, u"newmoon", {Px(270), Px(2805)}, {20, 20},
                                QStringLiteral("Новолуние"));
    fullMoonIcon_ = PictureLabel(picture2_, u"fullmoon", {Px(270), Px(3300)}, {20, 20},
                                 QStringLiteral("Полнолуние"));
    struct EventPlace {
        int top;
        const char* toolTip;
    };
    static constexpr std::array<EventPlace, 4> kEvents = {{
        {2775, "Предыдущее новолуние"},
        {2985, "Следующее новолуние"},
        {3270, "Предыдущее полнолуние"},
        {3465, "Следующее полнолуние"},
    }};
    QPalette eventPalette = palette();
    eventPalette.setColor(QPalette::WindowText, kYellow);
    for (std::size_t i = 0; i < events_.size(); ++i) {
        auto* label = new QLabel(picture2_);
        label->setFont(platform::UiFont(9));
        label->setPalette(eventPalette);
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(QString::fromUtf8(kEvents[i].toolTip));
        const int left = Px(720);
        label->setGeometry(left, Px(kEvents[i].top), kPicture2Width - left,
                           label->fontMetrics().height());
        label->installEventFilter(this);
        events_[i] = label;
    }

    // The Moon's position and the picture under it.
    {
        const QPoint yellow(Px(30), Px(3870));
        const QPoint offset(Px(45) - yellow.x(), Px(3900) - yellow.y());
        position_ = new ShadowLabel(picture2_, QStringLiteral("Луна в Овне"), offset,
                                    Shadow::SystemText, Qt::AlignHCenter | Qt::AlignTop);
        position_->setFont(platform::UiFont(9.75, true));
        position_->place(QPoint(0, yellow.y()), kPicture2Width - offset.x());
    }

    // The bottom row: rising or falling Moon, the day quality, the glyph.
    risingIcon_ = PictureLabel(picture2_, u"rising", {Px(120), Px(6480)}, {Px(480), Px(480)},
                               QStringLiteral("Восходящая Луна"));
    fallingIcon_ = PictureLabel(picture2_, u"falling", {Px(120), Px(6480)}, {Px(480), Px(480)},
                                QStringLiteral("Нисходящая Луна"));
    risingIcon_->hide();
    fallingIcon_->hide();
    const int glyphLeft = Px(2220);
    {
        const QPoint yellow(Px(600), Px(6735));
        const QPoint offset(Px(615) - yellow.x(), Px(6750) - yellow.y());
        quality_ = new ShadowLabel(picture2_, QStringLiteral("День холода"), offset, Shadow::Black,
                                   Qt::AlignHCenter | Qt::AlignTop);
        quality_->setFont(platform::UiFont(9.75));
        quality_->setToolTip(QStringLiteral("Качество дня"));
        // Between the rising Moon icon and the glyph.
        quality_->place(yellow, glyphLeft - yellow.x() - offset.x());
    }
    {
        const QPoint yellow(glyphLeft, Px(6420));
        const QPoint offset(Px(2265) - yellow.x(), Px(6450) - yellow.y());
        glyph_ = new ShadowLabel(picture2_, QStringLiteral("Q"), offset, Shadow::Black,
                                 Qt::AlignLeft | Qt::AlignTop);
        glyph_->setFont(platform::UiFont(24, true));
        glyph_->place(yellow, kPicture2Width - yellow.x() - offset.x());
    }

    // The ecliptic display's marker, hidden while the display is off.
    marker_ =
        PictureLabel(picture2_, u"marker", {0, 0}, {Px(kMarkerTwips), Px(kMarkerTwips)}, QString());
    marker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker_->hide();
    PlaceEclipticMarker(0);
}

void DayReportPanel::SetLunarDay(const QString& text) {
    lunarDay_->setText(text);
}

void DayReportPanel::ShowPhase(float angle) {
    DrawPhase(angle, phaseImage_, disc_);
    picture3_->setPixmap(QPixmap::fromImage(phaseImage_));
}

void DayReportPanel::SetVisibility(const QString& text) {
    visibility_->setText(text);
}

void DayReportPanel::SetEclipticOn(bool on) {
    eclipticOn_ = on;
    marker_->setVisible(on);
    if (on) {
        paintLargePicture(pictures::render(u"ecliptic", kLargePictureSize));
        pictureTag_ = QStringLiteral("-1");
    }
}

void DayReportPanel::PlaceEclipticMarker(float longitude) {
    if (!std::isfinite(longitude)) {
        return;
    }
    const double a = static_cast<double>(longitude) * kWheelPi / 180.0;
    const double centreX = kWheelRadius * std::sin(a) + kWheelCentreX;
    const double centreY = kWheelCentreY - kWheelRadius * std::cos(a);
    markerCentre_ =
        QPoint(static_cast<int>(std::lround(centreX)), static_cast<int>(std::lround(centreY)));
    const double half = kMarkerTwips / 2.0;
    marker_->move(static_cast<int>(std::lround((centreX - half) / kTwipsPerPixel)),
                  static_cast<int>(std::lround((centreY - half) / kTwipsPerPixel)));
}

void DayReportPanel::ShowSignPicture(int sign) {
    if (eclipticOn_ || sign < 1 || sign > 12) {
        return;
    }
    // The tag read as a number: 0 when empty, -1 after the wheel.
    if (pictureTag_.toInt() != sign) {
        const QString name = QStringLiteral("sign_%1").arg(sign, 2, 10, QChar(u'0'));
        paintLargePicture(pictures::render(name, kLargePictureSize));
        ++signPaintCount_;
    }
    pictureTag_ = QString::number(sign);
}

void DayReportPanel::SetPosition(const QString& text) {
    position_->setText(text);
    glyph_->setToolTip(position_->text());
}

void DayReportPanel::SetSignGlyph(int sign) {
    QFont font(platform::GlyphFamily());
    font.setPointSizeF(24);
    font.setBold(true);
    glyph_->setFont(font);
    glyph_->setText(platform::ZodiacGlyph(sign + platform::kFirstZodiacCode - 1));
}

void DayReportPanel::SetEvents(const QString& prevNew, const QString& nextNew,
                               const QString& prevFull, const QString& nextFull) {
    events_[0]->setText(prevNew);
    events_[1]->setText(nextNew);
    events_[2]->setText(prevFull);
    events_[3]->setText(nextFull);
}

void DayReportPanel::SetPhaseText(const QString& text) {
    phase_->setText(text);
}

void DayReportPanel::SetRising(int vn) {
    risingIcon_->setVisible(vn == 1);
    fallingIcon_->setVisible(vn == 2);
}

void DayReportPanel::SetQuality(const QString& text) {
    quality_->setText(text);
}

QString DayReportPanel::lunarDayText() const {
    return lunarDay_->text();
}
QString DayReportPanel::visibilityText() const {
    return visibility_->text();
}
QString DayReportPanel::positionText() const {
    return position_->text();
}
QString DayReportPanel::phaseText() const {
    return phase_->text();
}
QString DayReportPanel::qualityText() const {
    return quality_->text();
}
QString DayReportPanel::glyphText() const {
    return glyph_->text();
}

QString DayReportPanel::eventText(int which) const {
    const QLabel* label = eventLabel(which);
    return label != nullptr ? label->text() : QString();
}

bool DayReportPanel::risingShown() const {
    return !risingIcon_->isHidden();
}
bool DayReportPanel::fallingShown() const {
    return !fallingIcon_->isHidden();
}
bool DayReportPanel::markerShown() const {
    return !marker_->isHidden();
}

QWidget* DayReportPanel::reportPicture() const {
    return picture2_;
}
QWidget* DayReportPanel::moonPicture() const {
    return picture3_;
}
QWidget* DayReportPanel::marker() const {
    return marker_;
}

ShadowLabel* DayReportPanel::shadowLabel(const QString& yellowName) const {
    static const std::array<std::pair<const char*, ShadowLabel * DayReportPanel::*>, 7> kNames = {{
        {"Label9", &DayReportPanel::caption_},
        {"Label6", &DayReportPanel::lunarDay_},
        {"Label73", &DayReportPanel::visibility_},
        {"Label13", &DayReportPanel::phase_},
        {"Label10", &DayReportPanel::position_},
        {"Label4", &DayReportPanel::glyph_},
        {"Label23", &DayReportPanel::quality_},
    }};
    for (const auto& [name, member] : kNames) {
        if (yellowName == QLatin1String(name)) {
            return this->*member;
        }
    }
    return nullptr;
}

QLabel* DayReportPanel::eventLabel(int which) const {
    if (which < 0 || which >= static_cast<int>(events_.size())) {
        return nullptr;
    }
    return events_[static_cast<std::size_t>(which)];
}

bool DayReportPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (QLabel* label : events_) {
            if (watched != label) {
                continue;
            }
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // A click: the left button released over the label that has a date.
            if (mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint()) && !label->text().isEmpty()) {
                emit eventClicked(label->text());
            }
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void DayReportPanel::paintLargePicture(const QImage& picture) {
    const QRect area(QPoint(0, kLargePictureTop), picture.size());
    QPainter painter(&canvas_);
    // The new picture replaces the old one entirely, even where it is
    // transparent.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), background_, area);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(area.topLeft(), picture);
    painter.end();
    picture2_->setPixmap(QPixmap::fromImage(canvas_));
}

}  // namespace noctiva::app
