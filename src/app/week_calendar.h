#pragma once

#include "ui/app_context.h"

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QTableWidget;
class QLabel;

namespace app {

// The dashboard calendar: a week view of the events in Q_Events with a
// two-row month navigator beside it. Double-clicking an empty hour adds an
// event; double-clicking an event changes its caption or removes it.
class WeekCalendar : public QWidget {
    Q_OBJECT
public:
    explicit WeekCalendar(ui::AppContext& context, QWidget* parent = nullptr);

    void showWeekOf(const QDate& day);  // reads the week's events
    QDate weekStart() const { return monday_; }
    int eventCount() const { return eventCount_; }

    static constexpr int kFirstHour = 7;
    static constexpr int kLastHour = 23;

private:
    void reload();
    void onCellDoubleClicked(int row, int column);

    ui::AppContext& context_;
    QCalendarWidget* month1_;
    QCalendarWidget* month2_;
    QTableWidget* week_;
    QLabel* title_;
    QDate monday_;
    int eventCount_ = 0;
};

}  // namespace app
