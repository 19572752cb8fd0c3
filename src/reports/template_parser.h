#pragma once

#include "reports/report_template.h"

#include <QString>

namespace reports {

// Reads the text of a template. Never throws: problems are collected in
// ReportTemplate::diagnostics with their line numbers (the designer shows
// them), and whatever could be read is kept.
// `pageOverride` replaces the template's page set-up (before tables are laid
// out to the page width).
ReportTemplate parseTemplate(const QString& text, const QString& name = {}, const QString& folder = {},
                             const std::optional<PageSetup>& pageOverride = std::nullopt);

// Reads "Sayfa [Page] / [Pages]" into literal and expression parts; "\[" is a
// literal bracket. Errors are appended to `diagnostics`.
TextTemplate parseTextTemplate(const QString& text, int line, QList<Diagnostic>* diagnostics);

// Writing templates (generated tables, the grid printer): a string token and
// an expression naming a column, quoted when needed.
QString quoted(const QString& text);
QString columnRef(const QString& dataset, const QString& column);

}  // namespace reports
