#include "ui/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {
int openScopes = 0;
}

BusyCursor::BusyCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        active_ = true;
    }
    ++openScopes;
}

BusyCursor::~BusyCursor()
{
    --openScopes;
    if (active_)
        QGuiApplication::restoreOverrideCursor();
}

int BusyCursor::depth()
{
    return openScopes;
}

}  // namespace ui
