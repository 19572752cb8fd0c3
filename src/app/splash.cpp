#include "app/splash.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

namespace app {

namespace {
QPixmap background()
{
    QPixmap pm(420, 220);
    pm.fill(QColor(0x2f, 0x4f, 0x6f));
    return pm;
}
}  // namespace

Splash::Splash() : QSplashScreen(background())
{
    QTimer::singleShot(2500, this, &QWidget::close);
}

void Splash::setProgress(double percent)
{
    progress_ = percent;
    repaint();
    QApplication::processEvents();
}

void Splash::drawContents(QPainter* p)
{
    p->setPen(Qt::white);
    QFont f = p->font();
    f.setPointSize(26);
    f.setBold(true);
    p->setFont(f);
    p->drawText(QRect(0, 40, width(), 50), Qt::AlignCenter, QStringLiteral("Manager"));
    f.setPointSize(10);
    f.setBold(false);
    p->setFont(f);
    p->drawText(QRect(0, 95, width(), 20), Qt::AlignCenter,
                QStringLiteral("Sürüm ") + QApplication::applicationVersion());
    const QRect bar(40, 150, width() - 80, 18);
    p->drawRect(bar);
    p->fillRect(bar.adjusted(2, 2, -2, -2).adjusted(0, 0, -int((bar.width() - 4) * (1 - progress_ / 100.0)), 0),
                QColor(0x7f, 0xb3, 0xe0));
    p->drawText(QRect(0, 175, width(), 20), Qt::AlignCenter, QString::asprintf("%.0f%%", progress_));
}

}  // namespace app
