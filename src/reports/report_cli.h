#pragma once

#include <QStringList>
#include <functional>

namespace reports {

class Report;

// The command line of scheduled reports:
//   manager-report [options] TEMPLATE OUTPUT.pdf|.xlsx|.csv
// renders reports/TEMPLATE.fr3 without a display. `arguments` includes the
// program name first (as QCoreApplication::arguments()). Needs a
// QGuiApplication (fonts); returns the process exit code.
int runReportCommand(const QStringList& arguments);

// Subsystems add their report datasets here (the report centre will), so
// that a scheduled run sees the same names as the windows.
using DatasetInstaller = std::function<void(Report&)>;
void addCommandLineDatasets(DatasetInstaller installer);

}  // namespace reports
