#pragma once
// A caption of the day report: the text in yellow with a dark copy of it a
// little lower and to the right as its shadow, both set with one call.

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace noctiva::app {

class ShadowLabel : public QWidget {
    Q_OBJECT

  public:
    // Colour of the dark copy: black, or the desktop's text colour (the
    // palette's window text, read whenever the label paints).
    enum class Shadow { Black, SystemText };

    // `offset` is where the dark copy lies relative to the yellow one, in
    // pixels (both coordinates 0 or more).
    ShadowLabel(QWidget* parent, const QString& text, QPoint offset, Shadow shadow,
                Qt::Alignment alignment);

    // Writes the dark copy, then copies its text into the yellow one. CR LF
    // (and a lone CR) become line breaks. The label keeps its left, top and
    // width and takes the height of its lines.
    void setText(const QString& text);
    QString text() const { return front_; }
    QString shadowText() const { return shadow_; }

    // Places the yellow copy's box: its top-left corner and width; the widget
    // takes the shadow's offset in addition.
    void place(QPoint topLeft, int width);

    // The box the yellow copy's text needs, at (0, 0) of the label.
    QRect frontTextRect() const;
    QPoint offset() const { return offset_; }
    QColor shadowColour() const;
    static QColor frontColour() { return {255, 255, 0}; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void fitHeight();

    QString shadow_;
    QString front_;
    QPoint offset_;
    Shadow shadowKind_;
    Qt::Alignment alignment_;
};

}  // namespace noctiva::app
