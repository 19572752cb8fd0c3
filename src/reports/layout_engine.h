#pragma once

#include "db/row.h"
#include "reports/page_model.h"
#include "reports/report_template.h"

#include <QDateTime>
#include <QVariantMap>
#include <memory>
#include <vector>

namespace reports {

struct LoadedDataset {
    QString name;
    std::shared_ptr<const db::RowSet> rows;  // never null
};

struct LayoutOptions {
    QVariantMap parameters;  // report parameters, visible to expressions by name
    QDateTime now = QDateTime::currentDateTime();
};

// Phase one of rendering: template + data (read fully beforehand) ->
// device-independent pages. Problems with names are reported as warnings in
// Document::diagnostics; layout itself never fails.
Document layoutReport(const ReportTemplate& tmpl, const std::vector<LoadedDataset>& datasets,
                      const LayoutOptions& options = {});

// The datasets a template reads (data bands and dataset.column names),
// lower-cased, in order of appearance.
QStringList datasetsUsedBy(const ReportTemplate& tmpl);

}  // namespace reports
