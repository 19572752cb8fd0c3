#include "app/tooltip_duration.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace app {

bool ToolTipDuration::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->toolTip().isEmpty())
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, msec_);
    return true;
}

}  // namespace app
