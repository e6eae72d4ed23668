#include "notes/FormDesc.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>

#include "platform/Fonts.h"

namespace noctiva::notes {

namespace {

constexpr int kClientWidth = 309;
constexpr int kClientHeight = 158;
constexpr double kFontPoints = 8.25;
// The hover frame out of sight.
constexpr QPoint kHiddenFrame{-289, -45};

// A filled rectangle with a border, drawn behind other controls.
class FilledShape : public QWidget {
  public:
    FilledShape(QWidget* parent, QColor fill, QColor border)
        : QWidget(parent), fill_(fill), border_(border) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), fill_);
        if (border_.isValid()) {
            p.setPen(border_);
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

  private:
    QColor fill_;
    QColor border_;
};

enum class Icon { Clear, Ok, Cancel };

void drawIcon(QPainter& p, Icon icon, const QRectF& r) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case Icon::Ok: {
            QPainterPath tick;
            tick.moveTo(r.left() + 2.5, r.top() + 8.5);
            tick.lineTo(r.left() + 6.5, r.top() + 12.5);
            tick.lineTo(r.left() + 13.5, r.top() + 3.5);
            p.setPen(
                QPen(QColor(0x2E, 0x8B, 0x3A), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(tick);
            break;
        }
        case Icon::Cancel: {
            p.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(r.left() + 4, r.top() + 4), QPointF(r.left() + 12, r.top() + 12));
            p.drawLine(QPointF(r.left() + 12, r.top() + 4), QPointF(r.left() + 4, r.top() + 12));
            break;
        }
        case Icon::Clear: {
            // A sheet of paper with an eraser across its corner.
            p.setPen(QPen(QColor(0x55, 0x66, 0x77), 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(r.left() + 2.5, r.top() + 1.5, 9, 12));
            p.setPen(QPen(QColor(0x99, 0xA4, 0xAF), 1));
            for (int i = 0; i < 3; ++i) {
                const double y = r.top() + 4.5 + 2.5 * i;
                p.drawLine(QPointF(r.left() + 4.5, y), QPointF(r.left() + 9.5, y));
            }
            p.save();
            p.translate(r.left() + 11, r.top() + 11);
            p.rotate(-45);
            p.setPen(QPen(QColor(0x8E, 0x3B, 0x46), 1));
            p.setBrush(QColor(0xE8, 0x7A, 0x8A));
            p.drawRoundedRect(QRectF(-5, -2.5, 10, 5), 1, 1);
            p.restore();
            break;
        }
    }
}

// A command of the editor: an icon and a caption under one click area.
class CommandArea : public QWidget {
    static constexpr int kCaptionLeft = 19;

  public:
    CommandArea(QWidget* parent, Icon icon, QString caption, std::function<void()> onClick,
                std::function<void(QWidget*)> onHover)
        : QWidget(parent),
          icon_(icon),
          caption_(std::move(caption)),
          onClick_(std::move(onClick)),
          onHover_(std::move(onHover)) {
        setCursor(Qt::PointingHandCursor);
        setAccessibleName(caption_.trimmed());
    }

    QString caption() const { return caption_; }

    // Takes the designed click area, widened to the left when the caption
    // needs more room in the interface font.
    void place(const QRect& designed) {
        const int needed = kCaptionLeft + QFontMetrics(font()).horizontalAdvance(caption_) + 2;
        const int width = std::max(designed.width(), needed);
        setGeometry(designed.x() + designed.width() - width, designed.y(), width,
                    designed.height());
    }
    void click() { onClick_(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawIcon(p, icon_, QRectF(1, 1, 16, 16));
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        p.drawText(QRect(kCaptionLeft, 0, width() - kCaptionLeft, height()),
                   Qt::AlignLeft | Qt::AlignVCenter, caption_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        pressed_ = e->button() == Qt::LeftButton;
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool click =
            pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        pressed_ = false;
        e->accept();
        if (click) {
            onClick_();
        }
    }
    void enterEvent(QEnterEvent*) override { onHover_(this); }
    void leaveEvent(QEvent*) override { onHover_(nullptr); }

  private:
    Icon icon_;
    QString caption_;
    std::function<void()> onClick_;
    std::function<void(QWidget*)> onHover_;
    bool pressed_ = false;
};

// The text box shows line breaks as "\n"; the store keeps CR LF.
QString shownText(const QString& stored) {
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString longDate(QDate date) {
    return QLocale(QLocale::Russian).toString(date, QStringLiteral("d MMMM yyyy"));
}

}  // namespace

QPoint EditorPosition(const QRect& mainFrame, const QSize& editorFrame) {
    return {mainFrame.left() + mainFrame.width() - editorFrame.width(),
            mainFrame.top() + mainFrame.height() - editorFrame.height()};
}

QString EditorCaption(QDate date) {
    return longDate(date) + QStringLiteral(" - заметки дня");
}

FormDesc::FormDesc(QWidget* mainWindow, NoteStore& store, DateSerial selected,
                   const EditorColours& colours)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      store_(store),
      date_(selected) {
    setObjectName(QStringLiteral("FormDesc"));
    setModal(true);
    setFont(platform::UiFont(kFontPoints));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowTitle(EditorCaption(LocalDate(selected)));

    panel_ = new FilledShape(this, colours.panelFill, colours.panelBorder);
    panel_->setObjectName(QStringLiteral("Shape1"));
    panel_->setGeometry(6, 5, 297, 120);

    shape4_ = new FilledShape(this, colours.highlight, QColor());
    shape4_->setObjectName(QStringLiteral("Shape4"));
    shape4_->setGeometry(QRect(kHiddenFrame, QSize(70, 24)));

    auto* label2 = new QLabel(QStringLiteral("Заметки:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setFont(platform::UiFont(kFontPoints, true));
    label2->setGeometry(15, 9, 72, 19);

    text2_ = new QPlainTextEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setGeometry(14, 27, 281, 67);
    text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text2_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text2_->installEventFilter(this);

    const auto hover = [this](QWidget* w) { highlight(w); };
    auto* clear = new CommandArea(
        this, Icon::Clear, QStringLiteral("Очистить"), [this] { clearText(); }, hover);
    clear->setObjectName(QStringLiteral("Label4"));
    clear->place(QRect(224, 100, 70, 18));
    auto* okArea = new CommandArea(
        this, Icon::Ok, QStringLiteral(" Ok"), [this] { ok(); }, hover);
    okArea->setObjectName(QStringLiteral("Label18"));
    okArea->place(QRect(182, 133, 38, 18));
    auto* cancelArea = new CommandArea(
        this, Icon::Cancel, QStringLiteral(" Отмена"), [this] { cancel(); }, hover);
    cancelArea->setObjectName(QStringLiteral("Label1"));
    cancelArea->place(QRect(237, 133, 62, 18));

    error_ = new QLabel(this);
    error_->setObjectName(QStringLiteral("ErrorLabel"));
    error_->setWordWrap(true);
    error_->setStyleSheet(QStringLiteral("color: #B00020;"));
    error_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    error_->hide();

    loaded_ = store_.ReadNote(date_);
    text2_->setPlainText(shownText(loaded_));
    loadedShown_ = text2_->document()->toRawText();
    text2_->moveCursor(QTextCursor::End);
    text2_->setFocus();

    place();
}

QString FormDesc::noteText() const {
    const QString raw = text2_->document()->toRawText();
    if (raw == loadedShown_) {
        return loaded_;  // unchanged: the stored value exactly, whatever its line ends
    }
    QString text = raw;
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));  // Shift+Enter
    return text;
}

QString FormDesc::errorText() const {
    return error_->isVisible() ? error_->text() : QString();
}

void FormDesc::ok() {
    const QString value = noteText();
    if (!store_.WriteNote(date_, value)) {
        showError((value.isEmpty() ? QStringLiteral("Заметка не удалена: ")
                                   : QStringLiteral("Заметка не сохранена: ")) +
                  store_.lastError());
        return;
    }
    accept();
}

void FormDesc::cancel() {
    reject();
}

void FormDesc::clearText() {
    text2_->clear();
}

void FormDesc::showError(const QString& message) {
    error_->setText(message);
    const int width = kClientWidth - 12;
    const int height = error_->heightForWidth(width);
    error_->setGeometry(6, kClientHeight, width, height);
    error_->show();
    setFixedSize(kClientWidth, kClientHeight + height + 6);
    place();
    text2_->setFocus();
}

void FormDesc::highlight(QWidget* command) {
    if (command == nullptr) {
        shape4_->move(kHiddenFrame);
        return;
    }
    shape4_->setGeometry(command->geometry().adjusted(-3, -3, 3, 3));
}

void FormDesc::place() {
    const QWidget* main = parentWidget();
    if (main == nullptr) {
        return;
    }
    // Before the window manager has framed the editor its frame is its client area.
    const QSize frame = frameGeometry().size().expandedTo(size());
    const QPoint corner = EditorPosition(main->frameGeometry(), frame);
    move(corner);
}

void FormDesc::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    place();
}

void FormDesc::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        cancel();
        return;
    }
    // Enter has no command meaning here (no default button).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FormDesc::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text2_) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancel();
            return true;
        }
        if (event->type() == QEvent::Enter) {
            highlight(nullptr);
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString DeleteQuestion(DateSerial selected) {
    const core::CivilTime c = core::CivilFromSerial(selected);
    const QDateTime when(LocalDate(selected), QTime(c.hour, c.minute, c.second));
    return QStringLiteral("Вы действительно хотите удалить заметку для ") +
           QLocale(QLocale::Russian).toString(when, QLocale::ShortFormat) + QStringLiteral(" ?");
}

DeleteOutcome DeleteNoteCommand(NoteStore& store, DateSerial selected,
                                const std::function<bool(const QString&)>& ask,
                                const std::function<void(const QString&)>& tell) {
    if (!ask(DeleteQuestion(selected))) {
        return DeleteOutcome::Declined;
    }
    if (!store.DeleteNote(selected)) {
        if (tell) {
            tell(QStringLiteral("Заметка не удалена: ") + store.lastError());
        }
        return DeleteOutcome::Failed;
    }
    return DeleteOutcome::Deleted;
}

DeleteOutcome DeleteNoteCommand(QWidget* parent, NoteStore& store, DateSerial selected) {
    QString title = QApplication::applicationDisplayName();
    if (title.isEmpty()) {
        title = QStringLiteral("Noctiva");
    }
    const auto ask = [&](const QString& question) {
        QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    };
    const auto tell = [&](const QString& message) { QMessageBox::warning(parent, title, message); };
    return DeleteNoteCommand(store, selected, ask, tell);
}

}  // namespace noctiva::notes
