#pragma once
// The day report on the left of the main window: the Moon with its phase
// shadow and the texts over it, the new and full moon instants, the Moon's
// position with the sign picture (or the ecliptic wheel with the Moon's
// marker), the sign glyph, the rising or falling Moon and the day quality.
//
// A view only: the main window computes the report and hands each value over
// in the order of the report's steps.

#include <QFrame>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>

#include "app/report/DrawPhase.h"

class QLabel;

namespace noctiva::app {

class ShadowLabel;

class DayReportPanel : public QFrame {
    Q_OBJECT

  public:
    // Size of the panel in pixels; the window places it at (4, 39).
    static constexpr int kWidth = 192;
    static constexpr int kHeight = 484;

    explicit DayReportPanel(QWidget* parent = nullptr);

    // The lunar day number ("15").
    void SetLunarDay(const QString& text);
    // Draws the Moon of the phase angle in degrees (DrawPhase).
    void ShowPhase(float angle);
    // "Видимость Луны: 99 %".
    void SetVisibility(const QString& text);

    // The visual part of the ecliptic switch: the Moon's marker is visible
    // exactly while the display is on; switching it on paints the ecliptic
    // wheel under the Moon and sets the picture tag to "-1". Switching it off
    // leaves the wheel until the next ShowSignPicture.
    void SetEclipticOn(bool on);
    bool eclipticOn() const { return eclipticOn_; }
    // Puts the marker's centre on the circle of radius 800 twips around
    // (1360, 5430) twips of the picture: 0 degrees at the top, growing
    // clockwise. A longitude that is not a finite number leaves it in place.
    void PlaceEclipticMarker(float longitude);
    // Paints the picture of sign 1..12 under the Moon unless the picture tag
    // already names that sign; then the tag becomes the sign. Does nothing
    // for a sign out of range or while the ecliptic display is on (the wheel
    // stays).
    void ShowSignPicture(int sign);
    // "" at start, "-1" after the ecliptic wheel, else the sign index.
    QString pictureTag() const { return pictureTag_; }
    // How many times a sign picture has been painted.
    int signPaintCount() const { return signPaintCount_; }

    // The Moon's position in its sign ("12° 34' Овна"), also the tooltip of
    // the sign glyph.
    void SetPosition(const QString& text);
    // The glyph of sign 1..12; an empty caption for any other value.
    void SetSignGlyph(int sign);
    // Local date-time texts of the previous and next new and full moons.
    void SetEvents(const QString& prevNew, const QString& nextNew, const QString& prevFull,
                   const QString& nextFull);
    // The phase text; its lines may be joined by CR LF.
    void SetPhaseText(const QString& text);
    // 1: the rising Moon icon, 2: the falling one; any other value hides both.
    void SetRising(int vn);
    // "День тепла".
    void SetQuality(const QString& text);

    // Captions of the yellow copies.
    QString lunarDayText() const;
    QString visibilityText() const;
    QString positionText() const;
    QString phaseText() const;
    QString qualityText() const;
    QString glyphText() const;
    // 0 previous new moon, 1 next new moon, 2 previous full moon, 3 next full
    // moon; "" for any other index.
    QString eventText(int which) const;

    bool risingShown() const;
    bool fallingShown() const;
    bool markerShown() const;
    // The marker's centre in twips of the picture.
    QPoint markerCentre() const { return markerCentre_; }
    // The Moon picture as drawn, without the texts over it.
    QImage phaseImage() const { return phaseImage_; }

    // The parts, for the window's hover and colour handling and for tests.
    QWidget* reportPicture() const;
    QWidget* moonPicture() const;
    QWidget* marker() const;
    ShadowLabel* shadowLabel(const QString& yellowName) const;
    QLabel* eventLabel(int which) const;

  signals:
    // A click on one of the four event labels, with its caption.
    void eventClicked(const QString& caption);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paintLargePicture(const QImage& picture);

    QLabel* picture2_ = nullptr;  // background, sign picture or wheel, the controls below
    QLabel* picture3_ = nullptr;  // the Moon
    ShadowLabel* caption_ = nullptr;
    ShadowLabel* lunarDay_ = nullptr;
    ShadowLabel* visibility_ = nullptr;
    ShadowLabel* phase_ = nullptr;
    ShadowLabel* position_ = nullptr;
    ShadowLabel* glyph_ = nullptr;
    ShadowLabel* quality_ = nullptr;
    std::array<QLabel*, 4> events_{};  // previous new, next new, previous full, next full
    QLabel* newMoonIcon_ = nullptr;
    QLabel* fullMoonIcon_ = nullptr;
    QLabel* risingIcon_ = nullptr;
    QLabel* fallingIcon_ = nullptr;
    QLabel* marker_ = nullptr;

    QImage disc_;
    QImage phaseImage_;
    QImage canvas_;      // what Picture2 shows: the background and the painted picture
    QImage background_;  // the bare background, to restore under a new picture
    QString pictureTag_;
    int signPaintCount_ = 0;
    bool eclipticOn_ = false;
    QPoint markerCentre_;
};

}  // namespace noctiva::app
