#pragma once

#include "db/session.h"
#include "reports/dataset_registry.h"
#include "reports/page_model.h"
#include "reports/report_template.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace reports {

// The report object: loads a template, gathers its datasets and renders
// pages. The program has one, mudy(), which every window uses:
//
//   auto& r = reports::mudy();
//   r.datasets().define("recetelistesi_frm", "frmrecetelistgenel", sql, params);
//   r.setCaller("recetelistesi_frm");
//   r.load("recetefrmtumlist");       // a missing file is no error
//   reports::showPreview(this, r);    // reports_ui
//
// Nothing here needs a widget: render() and exportTo() work headless.
class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    void setSession(db::Session* session) { session_ = session; }
    db::Session* session() const { return session_; }
    DatasetRegistry& datasets() { return registry_; }
    const DatasetRegistry& datasets() const { return registry_; }

    // Where templates are looked for: "reports" under the working directory,
    // then "reports" beside the program.
    static QStringList defaultTemplateFolders();
    void setTemplateFolders(const QStringList& folders) { folders_ = folders; }
    QStringList templateFolders() const { return folders_.isEmpty() ? defaultTemplateFolders() : folders_; }
    // The file of a template name ("" when it exists nowhere).
    QString findTemplate(const QString& name) const;
    // Where a new template of that name is saved (the first folder).
    QString newTemplatePath(const QString& name) const;

    // Loads reports/<name>.fr3. Returns false when the file is missing; that
    // is no error: rendering then shows the caller's datasets as tables.
    bool load(const QString& name);
    bool loadFile(const QString& path);
    void loadText(const QString& text, const QString& name = {}, const QString& folder = {});
    void reset();  // forgets template, caller and parameters (not datasets)

    bool templateMissing() const { return missing_; }
    QString templateName() const { return name_; }
    QString templateFile() const { return file_; }  // the file read, or the missing one
    QString templateText() const { return text_; }
    const ReportTemplate& parsedTemplate() const;
    QList<Diagnostic> diagnostics() const { return parsedTemplate().diagnostics; }

    // The window that prints: its own datasets shadow others of that name,
    // and they are the ones shown when the template is missing.
    void setCaller(const QString& owner) { caller_ = owner; }
    QString caller() const { return caller_; }
    void setParameter(const QString& name, const QVariant& value) { parameters_.insert(name, value); }
    void clearParameters() { parameters_.clear(); }
    QVariantMap parameters() const { return parameters_; }
    void setPageSetup(const std::optional<PageSetup>& setup);
    std::optional<PageSetup> pageSetup() const { return pageSetup_; }
    void setNow(const QDateTime& now) { now_ = now; }  // tests: a fixed "today"

    // Reads every dataset the template uses (fully) and lays out the pages.
    // Throws db::Error when a statement fails.
    Document render();
    // render() then PDF, .xlsx or .csv by the file's suffix.
    bool exportTo(const QString& path, QString* error = nullptr);

private:
    void reparse() const;

    db::Session* session_ = nullptr;
    DatasetRegistry registry_;
    QStringList folders_;
    QString name_;
    QString file_;
    QString folder_;
    QString text_;
    bool missing_ = false;
    QString caller_;
    QVariantMap parameters_;
    std::optional<PageSetup> pageSetup_;
    QDateTime now_;
    mutable std::optional<ReportTemplate> parsed_;
};

// The one report object of the run.
Report& mudy();

// Template text showing datasets as plain tables under a heading (the missing
// template's stand-in; also a starting point in the designer).
QString tablesTemplateText(const QString& heading, const QString& note,
                           const QList<QPair<QString, const db::RowSet*>>& datasets);

}  // namespace reports
