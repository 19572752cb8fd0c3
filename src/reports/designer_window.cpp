#include "reports/designer_window.h"

#include "reports/page_view.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "reports/template_highlighter.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace reports {

namespace {

const char* kNewTemplate = R"(# Yeni şablon: biçim için docs/report-templates.md
report "Yeni Rapor"
page A4 portrait margins 10
font "DejaVu Sans" 9

title height 12
  text 0 0 190 8 "Yeni Rapor" bold size 14

pagefooter height 6
  text 0 1 190 4 "Sayfa [Page] / [Pages]" right size 7
)";

}  // namespace

DesignerWindow::DesignerWindow(Report& report, QWidget* parent) : QDialog(parent), report_(report)
{
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(1280, 820);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(QStringLiteral("Yeni"), this, [this] {
        editor_->setPlainText(QString::fromUtf8(kNewTemplate));
        path_.clear();
        updateTitle();
    });
    bar->addAction(QStringLiteral("Aç"), this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QStringLiteral("Şablon Aç"), report_.templateFolders().value(0),
                                         QStringLiteral("Rapor şablonu (*.fr3)"));
        if (!path.isEmpty())
            openTemplate(path);
    });
    QAction* saveAction = bar->addAction(QStringLiteral("Kaydet"), this, [this] { save(); });
    saveAction->setShortcut(QKeySequence::Save);
    bar->addAction(QStringLiteral("Farklı Kaydet"), this, [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Farklı Kaydet"),
                                         path_.isEmpty() ? report_.newTemplatePath(QStringLiteral("yeni")) : path_,
                                         QStringLiteral("Rapor şablonu (*.fr3)"));
        if (!path.isEmpty())
            saveAs(path.endsWith(QLatin1String(".fr3")) ? path : path + QStringLiteral(".fr3"));
    });
    bar->addSeparator();
    QAction* refreshAction = bar->addAction(QStringLiteral("Yenile"), this, &DesignerWindow::refresh);
    refreshAction->setShortcut(QKeySequence(Qt::Key_F5));
    bar->addAction(QStringLiteral("Önizle"), this, [this] {
        refresh();
        PreviewWindow preview(report_, this);
        if (preview.ok())
            preview.exec();
    });
    bar->addSeparator();
    bar->addAction(QStringLiteral("Kapat"), this, &QDialog::reject);

    editor_ = new QPlainTextEdit(this);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(10);
    editor_->setFont(mono);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setTabStopDistance(QFontMetricsF(mono).horizontalAdvance(u' ') * 2);
    highlighter_ = new TemplateHighlighter(editor_->document());

    messages_ = new QListWidget(this);
    messages_->setMaximumHeight(110);
    datasets_ = new QTreeWidget(this);
    datasets_->setHeaderLabels({QStringLiteral("Veri kümeleri")});
    datasets_->setMaximumWidth(220);
    preview_ = new PageView(this);

    auto* editorSide = new QSplitter(Qt::Vertical, this);
    editorSide->addWidget(editor_);
    editorSide->addWidget(messages_);
    editorSide->setStretchFactor(0, 4);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(datasets_);
    split->addWidget(editorSide);
    split->addWidget(preview_);
    split->setStretchFactor(1, 3);
    split->setStretchFactor(2, 3);
    split->setSizes({180, 560, 540});
    status_ = new QLabel(this);
    status_->setContentsMargins(6, 2, 6, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(split, 1);
    layout->addWidget(status_);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(600);
    connect(timer_, &QTimer::timeout, this, &DesignerWindow::refresh);
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
        modified_ = true;
        updateTitle();
        scheduleRefresh();
    });
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const QTextCursor c = editor_->textCursor();
        status_->setText(QStringLiteral("Satır %1, Sütun %2").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1));
    });
    connect(messages_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int line = item->data(Qt::UserRole).toInt();
        if (line <= 0)
            return;
        QTextCursor c(editor_->document()->findBlockByNumber(line - 1));
        editor_->setTextCursor(c);
        editor_->setFocus();
    });
    connect(datasets_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->parent())
            return;
        editor_->insertPlainText(QStringLiteral("[%1.%2]").arg(item->parent()->text(0), item->text(0)));
        editor_->setFocus();
    });

    // Start from the report's template, or from its file, or a new one.
    path_ = report_.templateMissing() ? report_.newTemplatePath(report_.templateName()) : report_.templateFile();
    QString text = report_.templateText();
    if (report_.templateMissing())
        text = startingPoint();
    if (text.isEmpty())
        text = QString::fromUtf8(kNewTemplate);
    editor_->setPlainText(text);
    modified_ = false;
    updateTitle();
    refresh();
}

DesignerWindow::~DesignerWindow() = default;

// A missing template starts as the tables the preview showed for it.
QString DesignerWindow::startingPoint()
{
    try {
        const Document shown = report_.render();
        std::vector<db::RowSet> empty;
        empty.reserve(size_t(shown.datasets.size()));
        QList<QPair<QString, const db::RowSet*>> tables;
        for (const auto& [name, columns] : shown.datasets) {
            empty.push_back(makeRowSet(columns, {}));
            tables << qMakePair(name, &empty.back());
        }
        if (tables.isEmpty())
            return {};
        return tablesTemplateText(report_.templateName(), QString(), tables);
    } catch (const db::Error&) {
        return {};
    }
}

void DesignerWindow::updateTitle()
{
    const QString name = path_.isEmpty() ? QStringLiteral("(yeni)") : QFileInfo(path_).fileName();
    setWindowTitle(QStringLiteral("Rapor Tasarım - %1%2").arg(name, modified_ ? QStringLiteral(" *") : QString()));
}

void DesignerWindow::scheduleRefresh()
{
    timer_->start();
}

// Every registered dataset; the columns of those the last run read.
void DesignerWindow::fillDatasets(const Document* doc)
{
    QHash<QString, QStringList> columns;
    QStringList names = report_.datasets().names();
    if (doc) {
        for (const auto& [name, cols] : doc->datasets) {
            columns.insert(name.toLower(), cols);
            if (!names.contains(name, Qt::CaseInsensitive))
                names << name;
        }
    }
    datasets_->clear();
    for (const QString& name : names) {
        auto* top = new QTreeWidgetItem(datasets_, {name});
        for (const QString& c : columns.value(name.toLower()))
            new QTreeWidgetItem(top, {c});
    }
    datasets_->expandAll();
}

void DesignerWindow::markErrors(const QList<Diagnostic>& diagnostics)
{
    QList<QTextEdit::ExtraSelection> marks;
    for (const Diagnostic& d : diagnostics) {
        if (d.line <= 0 || d.warning)
            continue;
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(editor_->document()->findBlockByNumber(d.line - 1));
        s.cursor.select(QTextCursor::LineUnderCursor);
        s.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        s.format.setUnderlineColor(Qt::red);
        s.format.setBackground(QColor(0xff, 0xee, 0xee));
        marks << s;
    }
    editor_->setExtraSelections(marks);
}

void DesignerWindow::refresh()
{
    timer_->stop();
    const QFileInfo info(path_);
    report_.loadText(editor_->toPlainText(), info.completeBaseName(), info.absolutePath());
    QList<Diagnostic> diagnostics = report_.diagnostics();
    std::shared_ptr<const Document> doc;
    try {
        doc = std::make_shared<const Document>(report_.render());
        diagnostics = doc->diagnostics;
    } catch (const db::Error& e) {
        diagnostics << Diagnostic{0, 0, QStringLiteral("veritabanı: %1").arg(e.text()), false};
    }
    messages_->clear();
    for (const Diagnostic& d : diagnostics) {
        auto* item = new QListWidgetItem(d.toString(), messages_);
        item->setData(Qt::UserRole, d.line);
        item->setForeground(d.warning ? QColor(0x99, 0x66, 0x00) : QColor(Qt::red));
    }
    if (diagnostics.isEmpty())
        new QListWidgetItem(QStringLiteral("Şablon hatasız."), messages_);
    markErrors(diagnostics);
    // A template with errors keeps the last good preview.
    bool errors = false;
    for (const Diagnostic& d : diagnostics)
        errors |= !d.warning;
    if (doc && !errors)
        preview_->setDocument(doc);
    fillDatasets(doc.get());
}

bool DesignerWindow::saveAs(const QString& path)
{
    path_ = path;
    return save();
}

bool DesignerWindow::save()
{
    if (path_.isEmpty())
        path_ = report_.newTemplatePath(QStringLiteral("yeni"));
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly) || f.write(editor_->toPlainText().toUtf8()) < 0 || !f.commit()) {
        ui::dialogs::error(this, QStringLiteral("Şablon kaydedilemedi: %1").arg(path_));
        return false;
    }
    modified_ = false;
    report_.loadFile(path_);
    updateTitle();
    return true;
}

void DesignerWindow::openTemplate(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ui::dialogs::error(this, QStringLiteral("Şablon açılamadı: %1").arg(path));
        return;
    }
    path_ = path;
    editor_->setPlainText(QString::fromUtf8(f.readAll()));
    modified_ = false;
    updateTitle();
    refresh();
}

void openDesigner(QWidget* parent, Report& report)
{
    DesignerWindow window(report, parent);
    window.exec();
}

void enableDesignerInPreview()
{
    PreviewWindow::setDesignerHook([](QWidget* parent, Report& report) { openDesigner(parent, report); });
}

}  // namespace reports
