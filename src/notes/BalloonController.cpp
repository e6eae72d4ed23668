#include "notes/BalloonController.h"

#include <QLocale>
#include <QPointer>

#include <cmath>
#include <utility>

#include "notes/Balloon.h"
#include "notes/NoteStore.h"

namespace noctiva::notes {

namespace {

// Offsets from the main window's client corner, in pixels (400 and 500
// twips; 2760 and 2090 twips for the hover balloon).
constexpr double kNoteDx = 400.0 / 15.0;
constexpr double kNoteDy = 500.0 / 15.0;
constexpr double kHoverDx = 184.0;
constexpr double kHoverDy = 2090.0 / 15.0;

int roundPixel(double v) {
    return static_cast<int>(std::nearbyint(v));
}

QPoint balloonPosition(const QRect& frame, const QRect& client, double dx, double dy) {
    const double left = frame.left() + (frame.width() - client.width()) / 2.0 + dx;
    const double top = frame.top() + (frame.height() - client.height()) + dy;
    return {roundPixel(left), roundPixel(top)};
}

QString longDate(QDate date) {
    return QLocale(QLocale::Russian).toString(date, QStringLiteral("d MMMM yyyy"));
}

class BalonView : public BalloonView {
  public:
    explicit BalonView(QWidget* owner) : owner_(owner) {}
    ~BalonView() override { Close(); }

    void Place(QPoint topLeft) override { window()->Place(topLeft); }
    void Compose(const QString& title, const QString& note) override {
        window()->Compose(title, note);
    }
    void Show(bool activate) override {
        Balon* w = window();
        w->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
        w->show();
        w->raise();
        if (activate) {
            w->activateWindow();
            w->setFocus();
        }
    }
    void Close() override {
        if (balon_) {
            balon_->close();  // deletes it
            balon_ = nullptr;
        }
    }
    bool IsVisible() const override { return balon_ && balon_->isVisible(); }

  private:
    Balon* window() {
        if (!balon_) {
            balon_ = new Balon(owner_);
            QObject::connect(balon_, &Balon::clicked, [this] {
                if (onClick) {
                    onClick();
                }
            });
            QObject::connect(balon_, &Balon::escapePressed, [this] {
                if (onEscape) {
                    onEscape();
                }
            });
        }
        return balon_;
    }

    QPointer<QWidget> owner_;
    QPointer<Balon> balon_;
};

}  // namespace

std::unique_ptr<BalloonView> MakeBalonView(QWidget* owner) {
    return std::make_unique<BalonView>(owner);
}

QPoint NoteBalloonPosition(const QRect& mainFrame, const QRect& mainClient) {
    return balloonPosition(mainFrame, mainClient, kNoteDx, kNoteDy);
}

QPoint HoverBalloonPosition(const QRect& mainFrame, const QRect& mainClient, QPoint cellPos) {
    return balloonPosition(mainFrame, mainClient, cellPos.x() + kHoverDx, cellPos.y() + kHoverDy);
}

QString NoteBalloonTitle(QDate date) {
    return QStringLiteral("Заметки на ") + longDate(date);
}

QString HoverBalloonTitle(QDate date) {
    return longDate(date) + QStringLiteral(" - заметки");
}

BalloonController::BalloonController(BalloonHost host, std::unique_ptr<BalloonView> view)
    : host_(std::move(host)), view_(std::move(view)) {
    view_->onClick = [this] { BalloonClicked(); };
    view_->onEscape = [this] { BalloonEscape(); };
}

void BalloonController::ShowZam(DateSerial dt) {
    if (!host_.notesOptionOn() || state_ == kBalloonHeldBack) {
        return;
    }
    const QString note = host_.readNote(dt);
    if (note.isEmpty()) {
        view_->Close();
        return;
    }
    view_->Place(NoteBalloonPosition(host_.mainFrame(), host_.mainClient()));
    view_->Compose(NoteBalloonTitle(LocalDate(dt)), note);
    state_ = kBalloonNoteShowing;
    view_->Show(true);
    if (host_.inTray()) {
        host_.fromTray();
    }
}

void BalloonController::HoverCell(int i) {
    if (state_ == kBalloonNoteShowing || i < 0 || i >= kCellCount) {
        return;
    }
    state_ = static_cast<int16_t>(i);
    if (!host_.cellMarked(i)) {
        hoverShown_ = false;
        view_->Close();
        return;
    }
    view_->Place(HoverBalloonPosition(host_.mainFrame(), host_.mainClient(), host_.cellPos(i)));
    if (hoverShown_) {
        return;  // an open hover balloon only follows the pointer
    }
    view_->Compose(HoverBalloonTitle(host_.cellDate(i)), host_.cellNote(i));
    view_->Show(false);
    hoverShown_ = true;
}

void BalloonController::KeepOnTop() {
    if (view_->IsVisible()) {
        view_->Show(false);
    }
}

void BalloonController::NoBalon() {
    view_->Close();
}

void BalloonController::SelectionChanged() {
    state_ = kBalloonSelectionChanged;
}

void BalloonController::CategoryChanged() {
    view_->Close();
    state_ = kBalloonHeldBack;
}

void BalloonController::BalloonClicked() {
    state_ = kBalloonSelectionChanged;
    view_->Close();
}

void BalloonController::BalloonEscape() {
    view_->Close();
}

}  // namespace noctiva::notes
