#pragma once

#include "reports/page_model.h"
#include "reports/report_template.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolBar;
class QAction;

namespace reports {

class PageView;
class Report;

// The preview of a rendered report: zoom, page navigation, text search, page
// set-up, printing through the system dialog and export to PDF, .xlsx and
// .csv. It renders the report it is given (again after a page set-up).
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // Renders `report` now; a database error is shown and leaves the
    // preview empty (ok() is false).
    explicit PreviewWindow(Report& report, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    bool ok() const { return doc_ != nullptr; }
    const Document* document() const { return doc_.get(); }
    PageView* view() const { return view_; }
    int currentPage() const;  // 0-based

    void goToPage(int page);
    void setZoom(double zoom);
    // Finds the next page text containing `text` (case and Turkish letters
    // folded); false when there is none.
    bool findNext(const QString& text);
    bool exportTo(const QString& path);  // shows a message on failure

    // The "Tasarım" button opens the designer (set by reports_ui's designer).
    static void setDesignerHook(std::function<void(QWidget*, Report&)> hook);

public Q_SLOTS:
    void print();
    void pageSetup();
    void exportPdf();
    void exportXlsx();
    void exportCsv();

private:
    void render();
    void updateNavigation();
    void askExport(const QString& filter, const QString& suffix);

    Report& report_;
    std::shared_ptr<const Document> doc_;
    PageView* view_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QLabel* status_ = nullptr;
    int searchPage_ = 0;
    int searchItem_ = -1;
    QString lastSearch_;
    std::optional<PageSetup> previousSetup_;
};

// Renders and shows the preview modally (a window's "Yazdır").
void showPreview(QWidget* parent, Report& report);

}  // namespace reports
