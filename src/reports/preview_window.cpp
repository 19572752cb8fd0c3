#include "reports/preview_window.h"

#include "db/values.h"
#include "reports/exporters.h"
#include "reports/page_view.h"
#include "reports/report.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace reports {

namespace {

std::function<void(QWidget*, Report&)>& designerHook()
{
    static std::function<void(QWidget*, Report&)> hook;
    return hook;
}

PageSetup setupFrom(const QPageLayout& layout)
{
    PageSetup s;
    s.size = layout.pageSize();
    s.orientation = layout.orientation();
    s.margins = layout.margins(QPageLayout::Millimeter);
    return s;
}

}  // namespace

void PreviewWindow::setDesignerHook(std::function<void(QWidget*, Report&)> hook)
{
    designerHook() = std::move(hook);
}

PreviewWindow::PreviewWindow(Report& report, QWidget* parent)
    : QDialog(parent), report_(report), previousSetup_(report.pageSetup())
{
    setWindowTitle(QStringLiteral("Önizleme"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(1000, 800);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* printAction = bar->addAction(QStringLiteral("Yazdır"), this, &PreviewWindow::print);
    printAction->setShortcut(QKeySequence::Print);
    bar->addAction(QStringLiteral("Sayfa Yapısı"), this, &PreviewWindow::pageSetup);
    bar->addSeparator();
    bar->addAction(QStringLiteral("PDF"), this, &PreviewWindow::exportPdf);
    bar->addAction(QStringLiteral("Excel"), this, &PreviewWindow::exportXlsx);
    bar->addAction(QStringLiteral("CSV"), this, &PreviewWindow::exportCsv);
    bar->addSeparator();
    bar->addAction(QStringLiteral("|<"), this, [this] { goToPage(0); })->setToolTip(QStringLiteral("İlk sayfa"));
    bar->addAction(QStringLiteral("<"), this, [this] { goToPage(currentPage() - 1); })
        ->setToolTip(QStringLiteral("Önceki sayfa"));
    pageBox_ = new QSpinBox(this);
    pageBox_->setMinimum(1);
    bar->addWidget(pageBox_);
    pageCount_ = new QLabel(this);
    bar->addWidget(pageCount_);
    bar->addAction(QStringLiteral(">"), this, [this] { goToPage(currentPage() + 1); })
        ->setToolTip(QStringLiteral("Sonraki sayfa"));
    bar->addAction(QStringLiteral(">|"), this, [this] { goToPage(doc_ ? doc_->pageCount() - 1 : 0); })
        ->setToolTip(QStringLiteral("Son sayfa"));
    bar->addSeparator();
    bar->addAction(QStringLiteral("-"), this, [this] { setZoom(view_->zoom() / 1.25); })
        ->setToolTip(QStringLiteral("Uzaklaştır"));
    zoomBox_ = new QComboBox(this);
    zoomBox_->setEditable(false);
    zoomBox_->addItem(QStringLiteral("Sayfa genişliği"), -1.0);
    zoomBox_->addItem(QStringLiteral("Tam sayfa"), -2.0);
    for (int z : {50, 75, 100, 150, 200})
        zoomBox_->addItem(QStringLiteral("%%1").arg(z), z / 100.0);
    bar->addWidget(zoomBox_);
    bar->addAction(QStringLiteral("+"), this, [this] { setZoom(view_->zoom() * 1.25); })
        ->setToolTip(QStringLiteral("Yakınlaştır"));
    auto* zoomLabel = new QLabel(this);
    zoomLabel->setMinimumWidth(44);
    bar->addWidget(zoomLabel);
    bar->addSeparator();
    searchBox_ = new QLineEdit(this);
    searchBox_->setPlaceholderText(QStringLiteral("Ara"));
    searchBox_->setClearButtonEnabled(true);
    searchBox_->setMaximumWidth(180);
    bar->addWidget(searchBox_);
    bar->addAction(QStringLiteral("Bul"), this, [this] {
        if (!findNext(searchBox_->text()))
            ui::dialogs::message(this, QStringLiteral("Bulunamadı: %1").arg(searchBox_->text()));
    });
    if (designerHook()) {
        bar->addSeparator();
        bar->addAction(QStringLiteral("Tasarım"), this, [this] {
            designerHook()(this, report_);
            render();
        });
    }
    bar->addSeparator();
    bar->addAction(QStringLiteral("Kapat"), this, &QDialog::reject);

    view_ = new PageView(this);
    zoomBox_->setCurrentIndex(0);  // the view starts fitting the page width
    status_ = new QLabel(this);
    status_->setContentsMargins(6, 2, 6, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);

    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int v) {
        if (v - 1 != currentPage())
            view_->showPage(v - 1);
    });
    connect(view_, &PageView::currentPageChanged, this, [this] { updateNavigation(); });
    connect(view_, &PageView::zoomChanged, this,
            [zoomLabel](double z) { zoomLabel->setText(QStringLiteral(" %%1 ").arg(qRound(z * 100))); });
    connect(zoomBox_, &QComboBox::activated, this, [this](int i) {
        const double z = zoomBox_->itemData(i).toDouble();
        if (z == -1.0)
            view_->setFit(PageView::Fit::Width);
        else if (z == -2.0)
            view_->setFit(PageView::Fit::Page);
        else
            view_->setZoom(z);
    });
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] { findNext(searchBox_->text()); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] { searchBox_->setFocus(); });

    render();
}

// A page set-up chosen here is for this preview only.
PreviewWindow::~PreviewWindow()
{
    if (report_.pageSetup().has_value() != previousSetup_.has_value())
        report_.setPageSetup(previousSetup_);
}

void PreviewWindow::render()
{
    try {
        doc_ = std::make_shared<const Document>(report_.render());
    } catch (const db::Error& e) {
        doc_.reset();
        ui::dialogs::error(this, e.text());
    }
    view_->setDocument(doc_);
    if (doc_) {
        setWindowTitle(QStringLiteral("Önizleme - %1").arg(doc_->title));
        int warnings = 0;
        QStringList lines;
        for (const Diagnostic& d : doc_->diagnostics) {
            ++warnings;
            lines << d.toString();
        }
        if (doc_->fallback)
            status_->setText(QStringLiteral("Şablon bulunamadı: %1").arg(report_.templateFile()));
        else if (warnings)
            status_->setText(QStringLiteral("%1 uyarı (ayrıntı için üzerine gelin)").arg(warnings));
        else
            status_->setText(QString());
        status_->setToolTip(lines.join(u'\n'));
    }
    searchPage_ = 0;
    searchItem_ = -1;
    updateNavigation();
}

int PreviewWindow::currentPage() const
{
    return view_->currentPage();
}

void PreviewWindow::updateNavigation()
{
    const int pages = doc_ ? doc_->pageCount() : 0;
    pageBox_->blockSignals(true);
    pageBox_->setMaximum(qMax(1, pages));
    pageBox_->setValue(currentPage() + 1);
    pageBox_->blockSignals(false);
    pageCount_->setText(QStringLiteral(" / %1 ").arg(pages));
}

void PreviewWindow::goToPage(int page)
{
    view_->showPage(page);
    updateNavigation();
}

void PreviewWindow::setZoom(double zoom)
{
    view_->setZoom(zoom);
    zoomBox_->setCurrentIndex(zoomBox_->findData(zoom));
}

bool PreviewWindow::findNext(const QString& text)
{
    if (!doc_ || text.trimmed().isEmpty())
        return false;
    const QString needle = db::turkishLower(text.trimmed());
    if (needle != lastSearch_) {
        lastSearch_ = needle;
        searchPage_ = currentPage();
        searchItem_ = -1;
    }
    const int pages = doc_->pageCount();
    // Once round all pages, starting after the last hit.
    for (int step = 0; step <= pages; ++step) {
        const int p = (searchPage_ + step) % pages;
        const auto& items = doc_->pages[size_t(p)].items;
        const int from = step == 0 ? searchItem_ + 1 : 0;
        for (int i = from; i < int(items.size()); ++i) {
            const PageItem& it = items[size_t(i)];
            if (it.kind != PageItem::Kind::Text || !db::turkishLower(it.text).contains(needle))
                continue;
            searchPage_ = p;
            searchItem_ = i;
            view_->showPage(p);
            view_->setHighlights(p, {it.rect});
            updateNavigation();
            return true;
        }
    }
    view_->setHighlights(-1, {});
    return false;
}

void PreviewWindow::print()
{
    if (!doc_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc_->title);
    if (!doc_->pages.empty()) {
        const QSizeF mm = doc_->pages.front().size;
        printer.setPageOrientation(mm.width() > mm.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, doc_->pageCount());
    dialog.setWindowTitle(QStringLiteral("Yazdır"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString error;
    if (!printDocument(*doc_, printer, &error))
        ui::dialogs::error(this, error);
}

void PreviewWindow::pageSetup()
{
    const ReportTemplate& t = report_.parsedTemplate();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(t.pageSize, t.orientation, t.margins, QPageLayout::Millimeter));
    QPageSetupDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Sayfa Yapısı"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    report_.setPageSetup(setupFrom(printer.pageLayout()));
    render();
}

bool PreviewWindow::exportTo(const QString& path)
{
    if (!doc_)
        return false;
    QString error;
    if (!writeFile(*doc_, path, &error)) {
        ui::dialogs::error(this, error);
        return false;
    }
    return true;
}

void PreviewWindow::askExport(const QString& filter, const QString& suffix)
{
    QString base = doc_ ? doc_->title : QStringLiteral("rapor");
    base.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    const QString suggested = QDir::current().filePath(QFileInfo(base).completeBaseName() + u'.' + suffix);
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Dışa Aktar"), suggested, filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    exportTo(path);
}

void PreviewWindow::exportPdf()
{
    askExport(QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
}

void PreviewWindow::exportXlsx()
{
    askExport(QStringLiteral("Excel (*.xlsx)"), QStringLiteral("xlsx"));
}

void PreviewWindow::exportCsv()
{
    askExport(QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
}

void showPreview(QWidget* parent, Report& report)
{
    PreviewWindow window(report, parent);
    if (window.ok())
        window.exec();
}

}  // namespace reports
