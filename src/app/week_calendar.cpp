#include "app/week_calendar.h"

#include "app/dashboard.h"
#include "db/values.h"
#include "ui/dialogs.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

namespace {
constexpr int kEventIdRole = Qt::UserRole + 1;
}

WeekCalendar::WeekCalendar(ui::AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* months = new QVBoxLayout;
    month1_ = new QCalendarWidget(this);
    month2_ = new QCalendarWidget(this);
    for (QCalendarWidget* m : {month1_, month2_}) {
        m->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        m->setFirstDayOfWeek(Qt::Monday);
        m->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        m->setGridVisible(false);
        m->setMaximumWidth(260);
        months->addWidget(m);
        connect(m, &QCalendarWidget::clicked, this, &WeekCalendar::showWeekOf);
    }
    // The second row follows the first one month later.
    connect(month1_, &QCalendarWidget::currentPageChanged, this, [this](int year, int month) {
        const QDate next = QDate(year, month, 1).addMonths(1);
        month2_->setCurrentPage(next.year(), next.month());
    });
    months->addStretch();

    title_ = new QLabel(this);
    QFont f = title_->font();
    f.setBold(true);
    title_->setFont(f);
    week_ = new QTableWidget(kLastHour - kFirstHour + 1, 7, this);
    week_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    week_->setSelectionMode(QAbstractItemView::SingleSelection);
    week_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    week_->verticalHeader()->setDefaultSectionSize(24);
    for (int h = kFirstHour; h <= kLastHour; ++h)
        week_->setVerticalHeaderItem(h - kFirstHour, new QTableWidgetItem(QString("%1:00").arg(h, 2, 10, QChar('0'))));
    connect(week_, &QTableWidget::cellDoubleClicked, this, &WeekCalendar::onCellDoubleClicked);
    auto* right = new QVBoxLayout;
    right->addWidget(title_);
    right->addWidget(week_);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(months);
    layout->addLayout(right, 1);
}

void WeekCalendar::showWeekOf(const QDate& day)
{
    monday_ = day.addDays(1 - day.dayOfWeek());
    month1_->setSelectedDate(day);
    month1_->setCurrentPage(day.year(), day.month());
    const QDate next = QDate(day.year(), day.month(), 1).addMonths(1);
    month2_->setCurrentPage(next.year(), next.month());
    reload();
}

void WeekCalendar::reload()
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    title_->setText(QString("%1 - %2").arg(db::showDate(monday_), db::showDate(monday_.addDays(6))));
    for (int d = 0; d < 7; ++d) {
        const QDate day = monday_.addDays(d);
        auto* header = new QTableWidgetItem(tr.dayName(d + 1) + "\n" + day.toString("dd.MM"));
        if (day == QDate::currentDate()) {
            QFont f = header->font();
            f.setBold(true);
            header->setFont(f);
        }
        week_->setHorizontalHeaderItem(d, header);
    }
    week_->clearSpans();
    week_->clearContents();
    eventCount_ = 0;
    if (!context_.hasSession())
        return;
    const auto rows = dashboard::events(context_.session(), QDateTime(monday_, QTime(0, 0)),
                                        QDateTime(monday_.addDays(7), QTime(0, 0)));
    for (const auto& r : rows) {
        const QDateTime start = r.dateTime("Start");
        const QDateTime finish = r.dateTime("Finish");
        const int column = int(monday_.daysTo(start.date()));
        if (column < 0 || column > 6)
            continue;
        const int first = std::clamp(start.time().hour(), kFirstHour, kLastHour) - kFirstHour;
        int last = std::clamp(finish.time().hour() - (finish.time().minute() == 0 ? 1 : 0), kFirstHour, kLastHour) -
                   kFirstHour;
        if (finish.date() > start.date())
            last = kLastHour - kFirstHour;
        last = std::max(first, last);
        auto* item = new QTableWidgetItem(r.text("Caption") +
                                          (r.text("Location").isEmpty() ? QString() : "\n" + r.text("Location")));
        item->setData(kEventIdRole, r.value("ID"));
        item->setBackground(QColor(QRgb(r.integer("LabelColor") ? r.integer("LabelColor") : 0x3399ff)).lighter(170));
        item->setToolTip(QString("%1 %2-%3").arg(r.text("Caption"), start.toString("HH:mm"), finish.toString("HH:mm")));
        week_->setItem(first, column, item);
        if (last > first)
            week_->setSpan(first, column, last - first + 1, 1);
        ++eventCount_;
    }
}

void WeekCalendar::onCellDoubleClicked(int row, int column)
{
    if (!context_.hasSession())
        return;
    auto& s = context_.session();
    const QTableWidgetItem* item = week_->item(row, column);
    try {
        if (item && item->data(kEventIdRole).isValid()) {
            const auto caption = ui::dialogs::input(this, QStringLiteral("Etkinlik"),
                                                    QStringLiteral("Açıklama (boş bırakılırsa silinir)"),
                                                    item->text().section('\n', 0, 0));
            if (!caption)
                return;
            db::Transaction tx(s);
            if (caption->trimmed().isEmpty())
                s.exec("delete from Q_Events where ID = :id", {{"id", item->data(kEventIdRole)}});
            else
                s.exec("update Q_Events set Caption = :c where ID = :id",
                       {{"c", caption->left(255)}, {"id", item->data(kEventIdRole)}});
            tx.commit();
        } else {
            const auto caption = ui::dialogs::input(this, QStringLiteral("Yeni Etkinlik"), QStringLiteral("Açıklama"));
            if (!caption || caption->trimmed().isEmpty())
                return;
            const QDateTime start(monday_.addDays(column), QTime(kFirstHour + row, 0));
            db::Transaction tx(s);
            s.exec(
                "insert into Q_Events (Type, Start, Finish, Options, Caption, State, LabelColor) "
                "values (0, :s, :f, 0, :c, 0, 0)",
                {{"s", start}, {"f", start.addSecs(3600)}, {"c", caption->left(255)}});
            tx.commit();
        }
    } catch (const db::Error& e) {
        ui::dialogs::error(this, e.text());
    }
    reload();
}

}  // namespace app
