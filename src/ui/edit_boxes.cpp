#include "ui/edit_boxes.h"

#include "db/values.h"
#include "ui/kit_texts.h"

#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QValidator>
#include <cmath>

namespace ui {

namespace {

// Refuses any text holding a character the box does not take; used for typing
// and pasting alike.
class CharValidator : public QValidator {
public:
    CharValidator(std::function<bool(QChar)> accepts, QObject* parent)
        : QValidator(parent), accepts_(std::move(accepts))
    {
    }
    State validate(QString& input, int&) const override
    {
        for (QChar c : input)
            if (!accepts_(c))
                return Invalid;
        return Acceptable;
    }

private:
    std::function<bool(QChar)> accepts_;
};

QLocale turkish()
{
    return QLocale(QLocale::Turkish, QLocale::Turkey);
}

void setUpCalendar(QDateEdit* box)
{
    box->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    box->setCalendarPopup(true);
    box->setLocale(turkish());
    if (QCalendarWidget* cal = box->calendarWidget()) {
        cal->setLocale(turkish());
        cal->setFirstDayOfWeek(Qt::Monday);
        cal->setGridVisible(true);
    }
}

}  // namespace

// ---------------------------------------------------------------- NumberBox

NumberBox::NumberBox(QWidget* parent) : NumberBox(Kind::Decimal, parent) {}

NumberBox::NumberBox(Kind kind, QWidget* parent) : QLineEdit(parent)
{
    setKind(kind);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void NumberBox::setKind(Kind kind)
{
    kind_ = kind;
    delete validator();
    setValidator(new CharValidator([kind](QChar c) { return accepts(c, kind); }, this));
}

bool NumberBox::accepts(QChar c, Kind kind)
{
    if (c >= '0' && c <= '9')
        return true;
    return kind == Kind::Decimal && c == '.';
}

std::optional<double> NumberBox::number() const
{
    return db::parseNumber(text());
}

void NumberBox::setValue(double v, int decimals)
{
    if (kind_ == Kind::Integer)
        setText(QString::number(qint64(std::llround(v))));
    else if (decimals < 0)
        setText(QLocale::c().toString(v, 'f', QLocale::FloatingPointShortest));
    else
        setText(QString::number(v, 'f', decimals));
}

// ---------------------------------------------------------------- SafeTextBox

SafeTextBox::SafeTextBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new CharValidator(&SafeTextBox::accepts, this));
}

bool SafeTextBox::accepts(QChar c)
{
    return c != '%' && c != '\'';
}

// ---------------------------------------------------------------- DateBox

DateBox::DateBox(QWidget* parent) : DateBox(QDate::currentDate(), parent) {}

DateBox::DateBox(const QDate& date, QWidget* parent) : QDateEdit(date, parent)
{
    setUpCalendar(this);
}

void DateBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = lineEdit()->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(kitText(KitText::Today), this, [this] { setDate(QDate::currentDate()); });
    menu->exec(event->globalPos());
    delete menu;
}

// ---------------------------------------------------------------- TimeBox

TimeBox::TimeBox(QWidget* parent) : TimeBox(QTime(0, 0), parent) {}

TimeBox::TimeBox(const QTime& time, QWidget* parent) : QTimeEdit(time, parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    setLocale(turkish());
}

// ---------------------------------------------------------------- PeriodBox

PeriodBox::PeriodBox(QWidget* parent)
    : QWidget(parent),
      startCaption_(new QLabel(this)),
      endCaption_(new QLabel(this)),
      startDate_(new DateBox(this)),
      startTime_(new TimeBox(this)),
      endDate_(new DateBox(this)),
      endTime_(new TimeBox(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(startCaption_);
    layout->addWidget(startDate_);
    layout->addWidget(startTime_);
    layout->addSpacing(12);
    layout->addWidget(endCaption_);
    layout->addWidget(endDate_);
    layout->addWidget(endTime_);
    layout->addStretch(1);
    setTabOrder(startDate_, startTime_);
    setTabOrder(startTime_, endDate_);
    setTabOrder(endDate_, endTime_);
    setFocusProxy(startDate_);

    for (QDateTimeEdit* box : {static_cast<QDateTimeEdit*>(startDate_), static_cast<QDateTimeEdit*>(startTime_),
                               static_cast<QDateTimeEdit*>(endDate_), static_cast<QDateTimeEdit*>(endTime_)})
        connect(box, &QDateTimeEdit::dateTimeChanged, this, &PeriodBox::changed);
    connect(&kitTextsNotifier(), &KitTextsNotifier::changed, this, &PeriodBox::retranslate);
    retranslate();
    setBusinessDay(QDate::currentDate());
}

void PeriodBox::retranslate()
{
    startCaption_->setText(kitText(KitText::PeriodStart));
    endCaption_->setText(kitText(KitText::PeriodEnd));
}

QDateTime PeriodBox::start() const
{
    return db::periodStart(startDate_->date(), startTime_->time());
}

QDateTime PeriodBox::end() const
{
    return db::periodEnd(endDate_->date(), endTime_->time());
}

void PeriodBox::setBusinessDay(const QDate& day)
{
    setPeriod(QDateTime(day, businessDayStart()), QDateTime(day.addDays(1), businessDayEnd()));
}

void PeriodBox::setPeriod(const QDateTime& start, const QDateTime& end)
{
    startDate_->setDate(start.date());
    startTime_->setTime(start.time());
    endDate_->setDate(end.date());
    endTime_->setTime(end.time());
}

void PeriodBox::setCaptionsVisible(bool on)
{
    startCaption_->setVisible(on);
    endCaption_->setVisible(on);
}

}  // namespace ui
