#pragma once
// The note balloon: a borderless window cut to the shape of a speech balloon,
// drawn translucent, showing a title and one note.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>

namespace noctiva::notes {

// Geometry of the balloon, in pixels.
inline constexpr int kBalloonWidth = 200;  // width of the three pieces
inline constexpr int kTopHeight = 51;      // top piece, with the title area
inline constexpr int kBottomHeight = 12;   // bottom piece
inline constexpr QRect kTitleRect{39, 28, 157, 13};
// The note text, under the top piece: centred on the bubble, clear of its
// border on both sides.
inline constexpr int kTextLeft = 8;
inline constexpr int kTextWidth = 184;
// The canvas lies one pixel right of and below the window's corner.
inline constexpr int kCanvasOffset = 1;
inline constexpr int kBalloonOpacity = 220;  // of 255

// A composed balloon: the picture (the three pieces on white) and the texts
// drawn over it.
struct BalloonPicture {
    QImage picture;          // kBalloonWidth x (kTopHeight + textHeight + kBottomHeight)
    QString title;           // as drawn (elided when wider than the title area)
    double titlePoints = 0;  // the title's point size: smaller for a long title
    QString text;            // the note as drawn; ends in an ellipsis when clipped
    int textHeight = 0;      // height of the wrapped text, the middle piece's height
    bool clipped = false;    // the note did not fit in maxHeight
};

// Composes the balloon for a title and a note. The middle piece stretches to
// the height of the note wrapped to kTextWidth; when the whole window
// (canvas plus its offset) would be taller than maxWindowHeight, the text is
// cut after the last line that fits and ends in "…".
BalloonPicture ComposeBalloon(const QString& title, const QString& note, int maxWindowHeight);

// The picture with the title and the text drawn over it, as the window shows it.
QImage RenderBalloon(const BalloonPicture& balloon);

// The window shape of a picture whose white pixels are cut away, in window
// coordinates for a picture placed at (kCanvasOffset, kCanvasOffset): one
// rectangle per horizontal run of non-white pixels in each row. A run that
// reaches the picture's right edge leaves out its last pixel. Only red, green
// and blue are compared; alpha is ignored. An all-white picture gives an
// empty region.
QRegion RegionFromImage(const QImage& image);

// Makes a top-level window translucent (opacity of 255). False when the
// window is not a top-level window. Without a compositing window manager the
// window simply stays opaque.
bool MakeTransparent(QWidget* window, int opacity);

// The balloon window: frameless, a tool window kept above its owner and out
// of the task bar. A click on it or Escape asks for it to close (the owner of
// the window decides, see BalloonController); closing destroys it.
class Balon : public QWidget {
    Q_OBJECT
  public:
    explicit Balon(QWidget* owner);

    // Composes the balloon afresh and reshapes the window. The balloon is
    // never taller than the available area of the screen it is placed on.
    void Compose(const QString& title, const QString& note);
    // Places the window's top-left corner; the window is kept on the screen.
    void Place(QPoint topLeft);

    const BalloonPicture& picture() const { return picture_; }

  signals:
    void clicked();
    void escapePressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QRect availableArea() const;
    void fitOnScreen();

    QPoint wanted_;
    BalloonPicture picture_;
    QImage rendered_;
    bool pressed_ = false;
};

}  // namespace noctiva::notes
