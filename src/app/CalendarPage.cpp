#include "app/CalendarPage.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>

#include "app/DayReportController.h"
#include "app/Form1.h"
#include "app/Navigation.h"
#include "app/Twips.h"
#include "app/daycell/Day.h"
#include "core/Pump.h"
#include "core/Report.h"
#include "core/Zodiac.h"
#include "pictures.h"
#include "platform/Fonts.h"

namespace noctiva::app {

const std::array<const char*, 12> kLegendTexts = {
    "Овен (Луна восходящая / Дни тепла)",     "Телец (Луна восходящая / Дни холода)",
    "Близнецы (Луна восходящая / Дни света)", "Рак (Луна нисходящая / Дни воды)",
    "Лев (Луна нисходящая / Дни тепла)",      "Дева (Луна нисходящая / Дни холода)",
    "Весы (Луна нисходящая / Дни света)",     "Скорпион (Луна нисходящая / Дни воды)",
    "Стрелец (Луна нисходящая / Дни тепла)",  "Козерог (Луна восходящая / Дни холода)",
    "Водолей (Луна восходящая / Дни света)",  "Рыбы (Луна восходящая / Дни воды)",
};

namespace {

constexpr int kTwips = kTwipsPerPixel;

QFrame* Panel(QWidget* parent, QRect r, const QColor& fill, const QColor& border) {
    auto* f = new QFrame(parent);
    f->setGeometry(r);
    f->setObjectName(QStringLiteral("panel"));
    f->setStyleSheet(QStringLiteral("QFrame#panel{background:%1;border:1px solid %2;}")
                         .arg(fill.name(), border.name()));
    return f;
}

QLabel* Heading(QWidget* parent, QRect r, const QString& text, const QColor& base) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    l->setFont(platform::UiFont(8.25, true));
    l->setIndent(6);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, base);
    l->setPalette(pal);
    return l;
}

}  // namespace

CalendarPage::CalendarPage(Form1& form, QWidget* page) : QObject(page), form_(form) {
    BuildStatic(page);
}

CalendarPage::~CalendarPage() = default;

void CalendarPage::BuildStatic(QWidget* page) {
    const SchemeColors& sc = form_.scheme;
    Panel(page, Twips(90, 135, 5760, 4725), sc.light, sc.dark);   // Shape7
    Panel(page, Twips(90, 4980, 8325, 1800), sc.pale, sc.dark);   // Shape8
    Panel(page, Twips(5940, 135, 2460, 4725), sc.pale, sc.dark);  // Shape3

    // Month header: arrows and the caption.
    auto* header = new QLabel(page);  // Picture5
    header->setGeometry(Twips(225, 285, 5475, 525));
    header->setAutoFillBackground(true);
    QPalette hp = header->palette();
    hp.setColor(QPalette::Window, sc.base);
    header->setPalette(hp);
    header->setMouseTracking(true);
    header->installEventFilter(this);
    Image14 = new QLabel(header);
    Image14->setGeometry(Twips(675, 105, 360, 360));
    Image14->setPixmap(pictures::pixmap(QStringLiteral("arrow_prev"), Image14->size()));
    Image14->setToolTip(QStringLiteral("Предыдущий месяц"));
    Image13 = new QLabel(header);
    Image13->setGeometry(Twips(4410, 105, 360, 360));
    Image13->setPixmap(pictures::pixmap(QStringLiteral("arrow_next"), Image13->size()));
    Image13->setToolTip(QStringLiteral("Следующий месяц"));
    for (QLabel* arrow : {Image13, Image14}) {
        arrow->setCursor(Qt::PointingHandCursor);
        arrow->setMouseTracking(true);
        arrow->installEventFilter(this);
    }
    Label32 = new QLabel(QStringLiteral("Месяц"), header);
    Label32->setGeometry(Twips(1440, 120, 2610, 330));
    Label32->setAlignment(Qt::AlignCenter);
    Label32->setFont(platform::UiFont(9.75, true));

    // The grid with its weekday headers and the hint.
    Frame3 = new QFrame(page);
    Frame3->setGeometry(Twips(135, 780, 5655, 4065));
    Frame3->hide();
    static const char* kWeekdays[7] = {"ПН", "ВТ", "СР", "ЧТ", "ПТ", "СБ", "ВС"};
    for (int c = 0; c < 7; ++c) {
        auto* head = new QLabel(QString::fromUtf8(kWeekdays[c]), Frame3);  // Frame2 with its label
        head->setGeometry(Twips(90 + 780 * c, 0, 810, 405).adjusted(0, 2, 0, -2));
        head->setAlignment(Qt::AlignCenter);
        head->setFont(platform::UiFont(8.25));
        head->setAutoFillBackground(true);
        QPalette pal = head->palette();
        pal.setColor(QPalette::Window, sc.light.darker(108));
        if (c == 5) {
            pal.setColor(QPalette::WindowText, Qt::black);
        } else if (c == 6) {
            pal.setColor(QPalette::WindowText, QColor(192, 0, 0));
        }
        head->setPalette(pal);
    }
    for (int i = 0; i < 42; ++i) {
        const int col = i % 7;
        const int row = i / 7;
        Day* d = new Day(Frame3);
        d->setGeometry((90 + 780 * col) / kTwips, (375 + 570 * row) / kTwips, col == 6 ? 54 : 53,
                       row == 5 ? 40 : 39);
        d->SetNoDayColor(sc.pale);
        d->SetDay(0);
        QObject::connect(d, &Day::MouseUp, this, [this, i] { CellMouseUp(i); });
        QObject::connect(d, &Day::DblClick, this, [this, i] {
            if (CellDoubleClicked) {
                CellDoubleClicked(i);
            }
        });
        QObject::connect(d, &Day::MouseMove, this, [this, i] {
            if (CellHovered) {
                CellHovered(i);
            }
        });
        Day1[static_cast<size_t>(i)] = d;
    }
    auto* hint = new QLabel(
        QStringLiteral("Для добавления / изменения заметки дважды щелкните по дню"), Frame3);
    hint->setGeometry(Twips(105, 3825, 5550, 240));
    hint->setFont(platform::UiFont(7.5));

    // The sign legend: Aries to Virgo on the left, Libra to Pisces on the right.
    Frame5 = new QFrame(page);
    Frame5->setGeometry(Twips(105, 4995, 8295, 1770));
    Frame5->setEnabled(false);
    for (int s = 0; s < 12; ++s) {
        const int col = s / 6;
        const int row = s % 6;
        auto* glyph = new QLabel(platform::ZodiacGlyph(94 + s), Frame5);
        glyph->setFont(QFont(platform::GlyphFamily(), 10));
        glyph->setGeometry((col == 0 ? 135 : 4275) / kTwips, 4 + row * 19, 20, 18);
        auto* text = new QLabel(QString::fromUtf8(kLegendTexts[static_cast<size_t>(s)]), Frame5);
        text->setFont(platform::UiFont(7.5));
        text->setGeometry((col == 0 ? 470 : 4595) / kTwips, 4 + row * 19, 250, 18);
        QPalette pal = text->palette();
        pal.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
        text->setPalette(pal);
        glyph->setPalette(pal);
    }

    // The columns of the note commands and of the date search.
    commands_ = new QWidget(page);
    commands_->setGeometry(Twips(5955, 150, 2430, 1250));
    Heading(commands_, QRect(0, 0, commands_->width(), 20), QStringLiteral("Задачи календаря"),
            sc.base);  // Picture8
    search_ = new QWidget(page);
    search_->setGeometry(Twips(5955, 1425, 2430, 3420));
    Heading(search_, QRect(0, 0, search_->width(), 20), QStringLiteral("Поиск даты"),
            sc.base);  // Picture9
}

void CalendarPage::ShowCalen() {
    Form1& f = form_;
    if (f.Tag != QLatin1String("ok")) {
        return;
    }
    const core::DateSerial v = f.DTPicker1->serial();
    const core::CivilTime c = core::CivilFromSerial(v);
    const int w = core::IsoWeekday(core::SerialFromCivil(c.year, c.month, 1));
    const int days = core::DaysInMonth(c.year, c.month);

    // A rebuild that starts while this one waits in a yield takes over.
    const int generation = ++generation_;
    QPointer<CalendarPage> alive(this);
    auto superseded = [&] {
        core::PumpEvents();
        return alive.isNull() || generation != generation_;
    };

    f.FirstDayCell = -1;
    Label32->setText(QString::fromStdString(core::MonthName(c.month)) + QLatin1Char(' ') +
                     QString::number(c.year));
    Frame3->hide();
    const core::TimeConverter conv(f.context.zone);
    core::LunationCursor cursor;
    const core::DateSerial today = f.context.now();
    for (int i = 0; i < 42; ++i) {
        const int n = core::CellDayNumber(i, w, days);
        if (superseded()) {
            return;
        }
        Day* d = Day1[static_cast<size_t>(i)];
        if (n > 0 && f.FirstDayCell == -1) {
            f.FirstDayCell = i;
        }
        d->SetDay(n);
        const core::DateSerial date = n > 0 ? core::SerialFromCivil(c.year, c.month, n) : 0;
        d->setTag(n > 0 && ReadNote ? ReadNote(date) : QString());
        d->SetDesc(d->tag());
        const core::MonthCell cell = core::ComputeMonthCell(c.year, c.month, n, conv, cursor);
        d->SetMoonDay(cell.moonDay1);
        d->SetZodiac(cell.sign1 + 93);
        d->SetMoonDay2(cell.moonDay2);
        d->SetZodiac2(cell.sign2 + 93);
        d->SetDeSelect();
        if (superseded()) {
            return;
        }
        if (n > 0) {
            if (core::SameCalendarDay(date, today)) {
                d->SetToday();
            }
        } else {
            d->SheudExist(QStringLiteral(" "));
        }
    }
    Frame3->show();
    ++completed_;
    f.DayPickerChanged();
}

void CalendarPage::StepMonth(int step) {
    Form1& f = form_;
    const core::DateSerial v = f.DTPicker1->serial();
    const core::CivilTime c = core::CivilFromSerial(v);
    int m = c.month + step;
    int y = c.year;
    if (m == 13) {
        m = 1;
        ++y;
    } else if (m == 0) {
        m = 12;
        --y;
    }
    if (y > 2100 || y < 1900) {
        return;
    }
    f.Tag.clear();
    f.DTPicker2->setSerial(WithMonth(f.DTPicker2->serial(), m));
    f.DTPicker3->setSerial(WithYear(f.DTPicker3->serial(), y));
    f.DTPicker1->setSerial(WithYear(WithMonth(f.DTPicker1->serial(), m), y));
    f.Tag = QStringLiteral("ok");
    ShowCalen();
}

void CalendarPage::CellMouseUp(int index) {
    Form1& f = form_;
    Day* d = Day1[static_cast<size_t>(index)];
    if (f.NoBalon) {
        f.NoBalon();
    }
    if (f.SetDeleteEnabled) {
        f.SetDeleteEnabled(d->IsMarked());
    }
    for (int i = 0; i < 42; ++i) {
        if (i != index) {
            Day1[static_cast<size_t>(i)]->SetDeSelect();
        }
    }
    d->SetSelect();
    if (f.Tag == QLatin1String("ok") && d->GetDay() > 0) {
        const QDate current = f.DTPicker1->date();
        if (current.day() != d->GetDay()) {
            f.DTPicker1->setDate(QDate(current.year(), current.month(), d->GetDay()));
        }
    }
    f.report().calculate();
}

bool CalendarPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Image13) {
            StepMonth(+1);
            return true;
        }
        if (watched == Image14) {
            StepMonth(-1);
            return true;
        }
    } else if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == Image13 || watched == Image14) {
            form_.navigation().ShowCur(static_cast<QWidget*>(watched), 2);
            event->accept();
            return true;  // the header below would hide the frame again
        } else {
            form_.navigation().HideCur();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace noctiva::app
