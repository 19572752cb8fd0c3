#pragma once

#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QTimeEdit>
#include <QWidget>
#include <optional>

class QLabel;

namespace ui {

// A box for numbers: typing accepts only "0123456789." (and backspace, the
// editing keys); the integer kind refuses the point too. Pasted text obeys the
// same rule.
class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Decimal, Integer };
    explicit NumberBox(QWidget* parent = nullptr);
    explicit NumberBox(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    void setKind(Kind kind);
    // The typed number; nullopt when empty or not a number ("1.2.3").
    std::optional<double> number() const;
    // The typed number, 0 when empty or not a number.
    double value() const { return number().value_or(0.0); }
    // Shows `v` with the point as decimal separator; `decimals` < 0: as few as needed.
    void setValue(double v, int decimals = -1);
    static bool accepts(QChar c, Kind kind);

private:
    Kind kind_ = Kind::Decimal;
};

// A text box whose content ends up in a statement: refuses "%" and "'".
class SafeTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit SafeTextBox(QWidget* parent = nullptr);
    static bool accepts(QChar c);
};

// A date shown and typed as dd.MM.yyyy, with a calendar to pick from.
class DateBox : public QDateEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);
    explicit DateBox(const QDate& date, QWidget* parent = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// A time of day shown and typed as HH:mm:ss.
class TimeBox : public QTimeEdit {
    Q_OBJECT
public:
    explicit TimeBox(QWidget* parent = nullptr);
    explicit TimeBox(const QTime& time, QWidget* parent = nullptr);
};

// A report period: start date and time, end date and time. It opens on one
// business day, from 07:00:00 today to 05:59:00 tomorrow; an end time of
// 00:00:00 reads as 23:59:00 of the end day.
class PeriodBox : public QWidget {
    Q_OBJECT
public:
    explicit PeriodBox(QWidget* parent = nullptr);

    QDateTime start() const;
    QDateTime end() const;
    // The business day that starts on `day` at 07:00:00.
    void setBusinessDay(const QDate& day);
    void setPeriod(const QDateTime& start, const QDateTime& end);
    void setCaptionsVisible(bool on);

    DateBox* startDateBox() const { return startDate_; }
    TimeBox* startTimeBox() const { return startTime_; }
    DateBox* endDateBox() const { return endDate_; }
    TimeBox* endTimeBox() const { return endTime_; }

    static QTime businessDayStart() { return QTime(7, 0, 0); }
    static QTime businessDayEnd() { return QTime(5, 59, 0); }

Q_SIGNALS:
    void changed();

private:
    void retranslate();

    QLabel* startCaption_;
    QLabel* endCaption_;
    DateBox* startDate_;
    TimeBox* startTime_;
    DateBox* endDate_;
    TimeBox* endTime_;
};

}  // namespace ui
