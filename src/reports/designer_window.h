#pragma once

#include "reports/page_model.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QTreeWidget;

namespace reports {

class PageView;
class Report;
class TemplateHighlighter;

// The report designer ("Rapor Tasarım"): the template's text with syntax
// colours and checking, and a live preview beside it, re-rendered a moment
// after each change. Saving writes the template file.
class DesignerWindow : public QDialog {
    Q_OBJECT
public:
    explicit DesignerWindow(Report& report, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    QPlainTextEdit* editor() const { return editor_; }
    QListWidget* messages() const { return messages_; }
    PageView* preview() const { return preview_; }
    QString filePath() const { return path_; }

    // Checks and re-renders now (the editor does it by itself after a pause).
    void refresh();
    bool save();
    bool saveAs(const QString& path);
    void openTemplate(const QString& path);

private:
    QString startingPoint();
    void scheduleRefresh();
    void markErrors(const QList<Diagnostic>& diagnostics);
    void fillDatasets(const Document* doc);
    void updateTitle();

    Report& report_;
    QString path_;
    QPlainTextEdit* editor_ = nullptr;
    TemplateHighlighter* highlighter_ = nullptr;
    QListWidget* messages_ = nullptr;
    PageView* preview_ = nullptr;
    QTreeWidget* datasets_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* timer_ = nullptr;
    bool modified_ = false;
};

// Opens the designer modally on the report (the administration window's
// "Rapor Tasarım " command); also installs itself as the preview's
// "Tasarım" button.
void openDesigner(QWidget* parent, Report& report);
void enableDesignerInPreview();

}  // namespace reports
