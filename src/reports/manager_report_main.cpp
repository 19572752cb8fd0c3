// manager-report: renders a report template headless (scheduled reports).
#include "reports/report_cli.h"

#include <QGuiApplication>

int main(int argc, char** argv)
{
    // Fonts need a GUI application; without a display use the offscreen one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("manager-report"));
    return reports::runReportCommand(QGuiApplication::arguments());
}
