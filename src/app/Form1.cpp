#include "app/Form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>

#include "app/CalendarPage.h"
#include "app/CommandLabel.h"
#include "app/DayReportController.h"
#include "app/Navigation.h"
#include "app/Twips.h"
#include "app/WindowSettings.h"
#include "app/daycell/Day.h"
#include "app/report/DayReportPanel.h"
#include "core/DateText.h"
#include "notes/BalloonController.h"
#include "notes/NoteStore.h"
#include "pictures.h"
#include "platform/Fonts.h"
#include "platform/SettingsStore.h"

namespace noctiva::app {

namespace {

constexpr int kTwips = kTwipsPerPixel;

QLabel* IconLabel(QWidget* parent, const QString& picture, QSize size, const QString& tip) {
    auto* label = new QLabel(parent);
    label->setPixmap(pictures::pixmap(picture, size));
    label->setFixedSize(size);
    label->setToolTip(tip);
    return label;
}

SchemeColors DefaultScheme(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Button);
    auto toward = [&base](int steps, int level) {
        // Each step moves a channel a quarter of the way to the target level.
        auto channel = [&](int c) {
            double v = c;
            for (int i = 0; i < steps; ++i) {
                v += (level - v) / 4.0;
            }
            return static_cast<int>(v);
        };
        return QColor(channel(base.red()), channel(base.green()), channel(base.blue()));
    };
    return {base, toward(1, 0), toward(4, 255), toward(1, 255)};
}

}  // namespace

std::function<core::DateSerial()> SystemClock(const core::ZoneSource& zone) {
    return [&zone] { return core::UTToLocal(core::NowUniversal(), zone); };
}

QString DateTimeText(core::DateSerial d) {
    return QString::fromStdString(core::FormatDateTime(d));
}

Form1::Form1(AppContext ctx, QWidget* parent)
    : QWidget(parent),
      context(std::move(ctx)),
      report_(std::make_unique<DayReportController>(*this)),
      navigation_(std::make_unique<Navigation>(*this)) {
    setWindowTitle(QStringLiteral("Tarvel Noctiva - Лунный календарь"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.svg")));
    setFont(platform::UiFont(9));
    setFixedSize(11580 / kTwips, 7920 / kTwips);
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    setMouseTracking(true);
    scheme = DefaultScheme(palette());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, scheme.base);
    setPalette(pal);

    BuildTopBar();
    BuildOptionsMenu();

    Frame4 = new DayReportPanel(this);
    Frame4->move(60 / kTwips, 585 / kTwips);
    QObject::connect(Frame4, &DayReportPanel::eventClicked, this,
                     [this](const QString& caption) { report_->EventLabelClicked(caption); });

    BuildTabsAndPages();
    calendar_ = new CalendarPage(*this, Picture4[1]);
    ShowCalen = [this] { calendar_->ShowCalen(); };
    SelectCell = [this](int index) {
        if (index < 0) {
            for (int i = 0; i < 42; ++i) {
                calendar_->cell(i)->SetDeSelect();
            }
        } else if (index < 42) {
            calendar_->cell(index)->SetSelect();
        }
    };
    IsCellMarked = [this](int index) {
        return index >= 0 && index < 42 && calendar_->cell(index)->IsMarked();
    };
    AttachNotes();

    for (size_t i = 0; i < Shape4.size(); ++i) {
        Shape4[i] = new QFrame(i == 0 ? this : Picture4[1]);
        Shape4[i]->setStyleSheet(QStringLiteral("QFrame{background:%1;border:1px solid %2;}")
                                     .arg(scheme.light.name(), scheme.dark.name()));
        Shape4[i]->resize(40, 20);
    }

    Timer1.setInterval(1000);
    QObject::connect(&Timer1, &QTimer::timeout, this,
                     [this] { Label17->setToolTip(DateTimeText(context.now())); });
    Timer2.setInterval(500);
    Timer2.setSingleShot(true);
    QObject::connect(&Timer2, &QTimer::timeout, this, [this] {
        Timer2Done = true;
        if (CloseSplash) {
            CloseSplash();
        }
    });

    // The pickers' change rules. The day picker's value is the selected
    // instant: any change runs the day-picker change rule. The other three
    // report a change when the field they show changes.
    QObject::connect(DTPicker1, &QDateTimeEdit::dateTimeChanged, this,
                     [this] { DayPickerChanged(); });
    QObject::connect(DTPicker2, &QDateTimeEdit::dateTimeChanged, this,
                     [this, last = DTPicker2->date().month()](const QDateTime& dt) mutable {
                         if (dt.date().month() != last) {
                             last = dt.date().month();
                             navigation_->MonthPickerChanged();
                         }
                     });
    QObject::connect(DTPicker3, &QDateTimeEdit::dateTimeChanged, this,
                     [this, last = DTPicker3->date().year()](const QDateTime& dt) mutable {
                         if (dt.date().year() != last) {
                             last = dt.date().year();
                             navigation_->YearPickerChanged();
                         }
                     });
    QObject::connect(DTPicker4, &QDateTimeEdit::dateTimeChanged, this,
                     [this, last = DTPicker4->time()](const QDateTime& dt) mutable {
                         const QTime t(dt.time().hour(), dt.time().minute());
                         if (t != last) {
                             last = t;
                             navigation_->TimePickerChanged();
                         }
                     });
    Timer1.start();
}

Form1::~Form1() = default;

void Form1::BuildTopBar() {
    Image20 = IconLabel(this, QStringLiteral("arrow_prev"), QSize(24, 24),
                        QStringLiteral("Предыдущий день"));
    Image20->move(8, 7);
    DTPicker1 = new DatePicker(QStringLiteral("dd"), this);
    DTPicker1->setGeometry(36, 7, 48, 24);
    DTPicker2 = new MonthPicker(this);
    DTPicker2->setGeometry(86, 7, 112, 24);
    DTPicker3 = new DatePicker(QStringLiteral("yyyy"), this);
    DTPicker3->setGeometry(200, 7, 64, 24);
    DTPicker4 = new DatePicker(QStringLiteral("HH : mm"), this);
    DTPicker4->setGeometry(266, 7, 76, 24);
    Image21 = IconLabel(this, QStringLiteral("arrow_next"), QSize(24, 24),
                        QStringLiteral("Следующий день"));
    Image21->move(346, 7);
    for (DatePicker* p : {DTPicker1, static_cast<DatePicker*>(DTPicker2), DTPicker3, DTPicker4}) {
        p->setFont(platform::UiFont(9));
        p->installEventFilter(this);
    }
    Label17 = CommandLabel(this, QStringLiteral("nav_today"), QStringLiteral("Сейчас"),
                           QRect(384, 8, 86, 22), 9);
    Label20 = CommandLabel(this, QStringLiteral("app_icon"), QStringLiteral("Настройки ▾"),
                           QRect(7155 / kTwips, 8, 108, 22), 9);
    Label18 = CommandLabel(this, QStringLiteral("tab_about"), QStringLiteral("О программе"),
                           QRect(7155 / kTwips + 114, 8, 124, 22), 9);
    for (QWidget* w : {static_cast<QWidget*>(Image20), static_cast<QWidget*>(Image21),
                       static_cast<QWidget*>(Label17), static_cast<QWidget*>(Label18),
                       static_cast<QWidget*>(Label20)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    Image20->setCursor(Qt::PointingHandCursor);
    Image21->setCursor(Qt::PointingHandCursor);
}

void Form1::BuildTabsAndPages() {
    const QRect pageRect = Twips(3015, 960, 8505, 6870);
    Shape2 = new QFrame(this);
    Shape2->setGeometry(pageRect.adjusted(-2, -2, 2, 2));
    Shape2->setStyleSheet(QStringLiteral("QFrame{background:%1;border:1px solid %2;}")
                              .arg(scheme.light.name(), scheme.dark.name()));
    const QString captions[2] = {QStringLiteral("Описание"), QStringLiteral("Календарь")};
    const QString icons[2] = {QStringLiteral("tab_description"), QStringLiteral("tab_calendar")};
    for (int i = 0; i < 2; ++i) {
        Shape5[i] = new QFrame(this);
        Shape5[i]->setGeometry(pageRect.left() + 4 + i * 124, 585 / kTwips, 120, 26);
        Label25[i] = new QLabel(Shape5[i]);
        Label25[i]->setGeometry(0, 0, 120, 26);
        Label25[i]->setCursor(Qt::PointingHandCursor);
        auto* layout = new QHBoxLayout(Label25[i]);
        layout->setContentsMargins(8, 2, 8, 2);
        auto* icon = new QLabel(Label25[i]);  // Image12
        icon->setPixmap(pictures::pixmap(icons[i], QSize(18, 18)));
        icon->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* caption = new QLabel(captions[i], Label25[i]);  // Label15
        caption->setFont(platform::UiFont(9, true));
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
        layout->addWidget(icon);
        layout->addWidget(caption, 1);
        Label25[i]->installEventFilter(this);
    }
    for (size_t i = 0; i < Picture4.size(); ++i) {
        Picture4[i] = new QWidget(this);
        Picture4[i]->setGeometry(pageRect);
        Picture4[i]->setAutoFillBackground(true);
        QPalette pal = Picture4[i]->palette();
        pal.setColor(QPalette::Window, scheme.light);
        Picture4[i]->setPalette(pal);
        Picture4[i]->setMouseTracking(true);
        Picture4[i]->installEventFilter(this);
        Picture4[i]->setVisible(i == 0);
    }
    // Paint the tabs as the page switch leaves them with the description page showing.
    LastTab = -1;
    navigation_->SwitchPage(0);
}

void Form1::BuildOptionsMenu() {
    mnuOptions = new QMenu(QStringLiteral("Настройки"), this);
    auto check = [this](const QString& caption) {
        QAction* a = mnuOptions->addAction(caption);
        a->setCheckable(true);
        return a;
    };
    mnuZam = check(QStringLiteral("Показывать заметки"));
    mnuZam->setChecked(true);
    mnuEcliptic = check(QStringLiteral("Показывать Луну на эклиптике"));
    QObject::connect(mnuEcliptic, &QAction::triggered, this, [this] { report_->ToggleEcliptic(); });
    mnuOptions->addSeparator();
    mnuAutoStartUp = check(QStringLiteral("Автозагрузка"));
    mnuToTray = check(QStringLiteral("Сворачиваться в значок"));
    mnuOptions->addSeparator();
    QMenu* fontMenu = mnuOptions->addMenu(QStringLiteral("Размер шрифта"));
    auto* fontGroup = new QActionGroup(fontMenu);
    const char* fontCaptions[5] = {"Мелкий", "По умолчанию", "Средний", "Крупный", "Очень крупный"};
    for (int i = 0; i < 5; ++i) {
        mnuFntSize[static_cast<size_t>(i)] =
            fontMenu->addAction(QString::fromUtf8(fontCaptions[i]));
        mnuFntSize[static_cast<size_t>(i)]->setCheckable(true);
        fontGroup->addAction(mnuFntSize[static_cast<size_t>(i)]);
        QObject::connect(mnuFntSize[static_cast<size_t>(i)], &QAction::triggered, this,
                         [this, i] { ApplyFontSize(i); });
    }
    mnuFntSize[1]->setChecked(true);
    QMenu* schemeMenu = mnuOptions->addMenu(QStringLiteral("Цветовая схема"));
    auto* schemeGroup = new QActionGroup(schemeMenu);
    const char* schemeCaptions[9] = {"Системная",   "Голубая",   "Зеленая",
                                     "Красная",     "Оранжевая", "Желтая",
                                     "Темно-серая", "Бирюзовая", "Металлик"};
    for (size_t i = 0; i < mnuc.size(); ++i) {
        mnuc[i] = schemeMenu->addAction(QString::fromUtf8(schemeCaptions[i]));
        mnuc[i]->setCheckable(true);
        schemeGroup->addAction(mnuc[i]);
    }
    schemeMenu->addSeparator();
    mnucEx = schemeMenu->addAction(QStringLiteral("Другая"));
    mnucEx->setCheckable(true);
    schemeGroup->addAction(mnucEx);
    mnuOptions->addSeparator();
    mnuWineMode = check(QStringLiteral("Режим совместимости Wine"));
}

void Form1::ApplyFontSize(int index) {
    static constexpr int kPoints[5] = {7, 8, 10, 12, 14};
    static constexpr int kHtml[5] = {1, 2, 3, 4, 4};
    if (index < 0 || index > 4) {
        return;
    }
    mnuFntSize[static_cast<size_t>(index)]->setChecked(true);
    FontPt = kPoints[index];
    HtmlFontSize = kHtml[index];
    PrevDate = SelDate - 1;
    report_->calculate();
}

void Form1::PlaceWindow(int topTwips, int leftTwips) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    int top = topTwips / kTwips;
    int left = leftTwips / kTwips;
    if (top < 1) {
        top = avail.height() / 2 - height() / 2;
    }
    if (left < 1) {
        left = avail.width() / 2 - width() / 2;
    }
    // A position that would leave the window off every screen centres it.
    const QRect wanted(left, top, width(), height());
    bool visible = false;
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->availableGeometry().intersected(wanted).width() >= 40 &&
            s->availableGeometry().intersected(wanted).height() >= 20) {
            visible = true;
        }
    }
    if (!visible) {
        left = avail.x() + avail.width() / 2 - width() / 2;
        top = avail.y() + avail.height() / 2 - height() / 2;
    }
    move(left, top);
}

void Form1::Load() {
    const WindowSettings s = ReadWindowSettings(context.store);
    PagePath = QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                   .filePath(QStringLiteral("Current_page.html"));
    navigation_->HideCur();
    setWindowTitle(QStringLiteral("Tarvel Noctiva - Лунный календарь ") +
                   QStringLiteral(NOCTIVA_VERSION));
    PlaceWindow(s.top.value_or(0), s.left.value_or(0));
    mnuZam->setChecked(s.zam);
    if (s.ecliptic) {
        mnuEcliptic->trigger();
    }
    if (s.customColor) {
        mnucEx->setChecked(true);
    } else if (s.color >= 0 && s.color < 9) {
        mnuc[static_cast<size_t>(s.color)]->setChecked(true);
    }
    ColorValue = s.colorValue;
    WineMode = s.wineMode;
    mnuWineMode->setChecked(WineMode);
    FontPt = 8;
    HtmlFontSize = 2;
    if (s.fontSize != 1) {
        ApplyFontSize(s.fontSize);
    }
    CurPage = 0;
    PrevCatIndex = s.category;
    mnuToTray->setChecked(s.toTray);
    if (mnuToTray->isChecked() && ToTray) {
        ToTray();
    }
    First();
}

void Form1::First() {
    PrevDate = core::SerialFromCivil(1800, 1, 1);
    SetTime(context.now());
    DayPickerChanged();
}

void Form1::SetTime(core::DateSerial dt) {
    Tag.clear();
    DTPicker1->setSerial(dt);
    DTPicker2->setSerial(dt);
    DTPicker3->setSerial(dt);
    DTPicker4->setSerial(dt);
    Tag = QStringLiteral("ok");
}

void Form1::DayPickerChanged() {
    if (exited_) {
        return;  // a rebuild that was waiting in a yield when the window closed
    }
    if (SelectCell) {
        SelectCell(-1);
    }
    if (FirstDayCell < 0) {
        return;
    }
    if (SelectCell) {
        const int cell = FirstDayCell + DTPicker1->date().day() - 1;
        SelectCell(cell);
        if (SetDeleteEnabled) {
            SetDeleteEnabled(IsCellMarked && IsCellMarked(cell));
        }
    }
    if (OnDaySelected) {
        OnDaySelected();
    }
    report_->calculate();
}

void Form1::ExitMe() {
    if (exited_) {
        return;
    }
    exited_ = true;
    if (NoBalon) {
        NoBalon();
    }
    SaveSettings();
    QFile::remove(PagePath);
}

void Form1::SaveSettings() {
    WindowSettings s;
    if (!isMinimized() && isVisible()) {
        s.top = y() * kTwips;
        s.left = x() * kTwips;
    }
    s.zam = mnuZam->isChecked();
    s.customColor = mnucEx->isChecked();
    s.color = -1;
    for (size_t i = 0; i < mnuc.size(); ++i) {
        if (mnuc[i]->isChecked()) {
            s.color = static_cast<int>(i);
        }
    }
    s.colorValue = ColorValue;
    s.fontSize = 1;
    for (size_t i = 0; i < mnuFntSize.size(); ++i) {
        if (mnuFntSize[i]->isChecked()) {
            s.fontSize = static_cast<int>(i);
        }
    }
    s.category = PrevCatIndex;
    s.toTray = mnuToTray->isChecked();
    s.ecliptic = mnuEcliptic->isChecked();
    s.wineMode = mnuWineMode->isChecked();
    WriteWindowSettings(context.store, s);
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        report_->calculate();
        if (!Timer2Done && !Timer2.isActive()) {
            Timer2.start();
        }
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (mnuToTray->isChecked() && ToTray) {
        event->ignore();
        ToTray();
        return;
    }
    ExitMe();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == Image20 || watched == Image21 || watched == Label17 || watched == Label18 ||
            watched == Label20) {
            navigation_->ShowCur(static_cast<QWidget*>(watched), 0);
            event->accept();
            return true;  // the window's own surface below would hide the frame again
        } else if (watched == Label58 || watched == Label67) {
            navigation_->ShowCur(static_cast<QWidget*>(watched), 3);
            event->accept();
            return true;
        } else if (watched == Picture4[0] || watched == Picture4[1] || watched == Picture4[2]) {
            navigation_->HideCur();
        }
    } else if (type == QEvent::MouseButtonPress) {
        if (watched == Image20) {
            navigation_->StepDay(-1);
            return true;
        }
        if (watched == Image21) {
            navigation_->StepDay(+1);
            return true;
        }
        if (watched == Label17) {
            navigation_->Now();
            return true;
        }
        if (watched == Label58) {
            OpenNoteEditor();
            return true;
        }
        if (watched == Label67) {
            if (Label67->isEnabled()) {
                DeleteSelectedNote();
            }
            return true;
        }
        if (watched == Label20) {
            if (NoBalon) {
                NoBalon();
            }
            mnuOptions->popup(
                mapToGlobal(QPoint(Label20->x() - 3, Label20->geometry().bottom() + 3)));
            return true;
        }
        if (watched == Label18) {
            if (ShowAbout) {
                ShowAbout();
            }
            return true;
        }
        for (int i = 0; i < 2; ++i) {
            if (watched == Label25[i]) {
                navigation_->SwitchPage(i);
                return true;
            }
        }
    } else if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QWidget* next = nullptr;
        if (watched == DTPicker1 && key == Qt::Key_Right) {
            next = DTPicker2;
        } else if (watched == DTPicker2 && key == Qt::Key_Right) {
            next = DTPicker3;
        } else if (watched == DTPicker2 && key == Qt::Key_Left) {
            next = DTPicker1;
        } else if (watched == DTPicker3 && key == Qt::Key_Left) {
            next = DTPicker2;
        }
        if (next != nullptr) {
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    navigation_->HideCur();
    QWidget::mouseMoveEvent(event);
}

}  // namespace noctiva::app
