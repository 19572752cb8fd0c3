#include "reports/report.h"

#include "reports/display_format.h"
#include "reports/exporters.h"
#include "reports/layout_engine.h"
#include "reports/template_parser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace reports {

Report::Report() = default;
Report::~Report() = default;

QStringList Report::defaultTemplateFolders()
{
    QStringList folders{QDir::current().filePath(QStringLiteral("reports"))};
    if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("reports"));
        if (QDir::cleanPath(beside) != QDir::cleanPath(folders.front()))
            folders << beside;
    }
    return folders;
}

QString Report::findTemplate(const QString& name) const
{
    const QString file =
        name.endsWith(QLatin1String(".fr3"), Qt::CaseInsensitive) ? name : name + QStringLiteral(".fr3");
    for (const QString& folder : templateFolders()) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString Report::newTemplatePath(const QString& name) const
{
    const QString file =
        name.endsWith(QLatin1String(".fr3"), Qt::CaseInsensitive) ? name : name + QStringLiteral(".fr3");
    return QDir(templateFolders().value(0)).filePath(file);
}

bool Report::load(const QString& name)
{
    QString base = name;
    if (base.endsWith(QLatin1String(".fr3"), Qt::CaseInsensitive))
        base.chop(4);
    base = QFileInfo(base).fileName();
    const QString path = findTemplate(base);
    if (path.isEmpty()) {
        name_ = base;
        file_ = QStringLiteral("reports/%1.fr3").arg(base);
        folder_.clear();
        text_.clear();
        missing_ = true;
        parsed_.reset();
        return false;
    }
    return loadFile(path);
}

bool Report::loadFile(const QString& path)
{
    QFile f(path);
    QFileInfo info(path);
    name_ = info.completeBaseName();
    file_ = path;
    folder_ = info.absolutePath();
    parsed_.reset();
    if (!f.open(QIODevice::ReadOnly)) {
        text_.clear();
        missing_ = true;
        return false;
    }
    text_ = QString::fromUtf8(f.readAll());
    missing_ = false;
    return true;
}

void Report::loadText(const QString& text, const QString& name, const QString& folder)
{
    text_ = text;
    name_ = name;
    folder_ = folder;
    if (file_.isEmpty() || !name.isEmpty())
        file_ = name.isEmpty() ? QString() : QStringLiteral("reports/%1.fr3").arg(name);
    missing_ = false;
    parsed_.reset();
}

void Report::reset()
{
    name_.clear();
    file_.clear();
    folder_.clear();
    text_.clear();
    missing_ = false;
    caller_.clear();
    parameters_.clear();
    parsed_.reset();
}

void Report::setPageSetup(const std::optional<PageSetup>& setup)
{
    pageSetup_ = setup;
    parsed_.reset();
}

void Report::reparse() const
{
    parsed_ = parseTemplate(text_, name_, folder_, pageSetup_);
}

const ReportTemplate& Report::parsedTemplate() const
{
    if (!parsed_)
        reparse();
    return *parsed_;
}

QString tablesTemplateText(const QString& heading, const QString& note,
                           const QList<QPair<QString, const db::RowSet*>>& datasets)
{
    // Column widths from the longest of the caption and the first rows.
    struct Col {
        QString name;
        double chars = 0;
        bool numeric = false;
    };
    QList<QPair<QString, QList<Col>>> tables;
    double widest = 0;
    for (const auto& [name, rs] : datasets) {
        QList<Col> cols;
        const QStringList names = rs ? rs->columnNames() : QStringList();
        for (int c = 0; c < names.size(); ++c) {
            Col col;
            col.name = names[c];
            col.chars = names[c].size();
            bool decided = false;
            const int sample = rs ? qMin(rs->size(), 200) : 0;
            for (int r = 0; r < sample; ++r) {
                const QVariant v = (*rs)[r].at(c);
                if (v.typeId() == QMetaType::QByteArray)
                    continue;
                col.chars = qMax(col.chars, double(defaultText(v).size()));
                if (!decided && !v.isNull()) {
                    col.numeric = isNumeric(v);
                    decided = true;
                }
            }
            col.chars = qBound(4.0, col.chars, 40.0);
            cols << col;
        }
        double total = 0;
        for (const Col& c : cols)
            total += c.chars * 1.5 + 2;
        widest = qMax(widest, total);
        tables << qMakePair(name, cols);
    }
    const bool landscape = widest > 190;
    const double width = landscape ? 277 : 190;
    QString t;
    t += QStringLiteral("report %1\n").arg(quoted(heading));
    t += QStringLiteral("page A4 %1 margins 10\n")
             .arg(landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    t += QStringLiteral("font \"DejaVu Sans\" 7\n\n");
    t += QStringLiteral("title height 14\n");
    t += QStringLiteral("  text 0 0 %1 7 %2 bold size 12\n").arg(width).arg(quoted(heading));
    if (!note.isEmpty())
        t += QStringLiteral("  text 0 7 %1 5 %2 italic size 8\n").arg(width).arg(quoted(note));
    t += u'\n';
    for (const auto& [name, cols] : tables) {
        const db::RowSet* rs = nullptr;
        for (const auto& d : datasets)
            if (d.first == name)
                rs = d.second;
        const int count = rs ? rs->size() : 0;
        QString caption = QStringLiteral("%1 (%2 satır)").arg(name).arg(count);
        caption.replace(u'[', QLatin1String("\\["));
        t += QStringLiteral("table %1 caption %2 size 7 nototal printifempty\n").arg(name, quoted(caption));
        if (cols.isEmpty())
            t += QStringLiteral("  column \"\" [''] *\n");
        for (const Col& c : cols) {
            const QString ref = columnRef(name, c.name);
            const QString field = ref.contains(u'\'') ? u'[' + ref + u']' : ref;
            t += QStringLiteral("  column %1 %2 %3%4\n")
                     .arg(quoted(c.name), field)
                     .arg(c.chars * 1.5 + 2, 0, 'f', 1)
                     .arg(c.numeric ? QStringLiteral(" right") : QString());
        }
        t += u'\n';
    }
    t += QStringLiteral("pagefooter height 6\n");
    t += QStringLiteral("  text 0 1 %1 4 \"Sayfa [Page] / [Pages]\" right size 7\n").arg(width);
    return t;
}

Document Report::render()
{
    std::vector<LoadedDataset> loaded;
    QList<Diagnostic> warnings;
    const QDateTime now = now_.isValid() ? now_ : QDateTime::currentDateTime();
    LayoutOptions options;
    options.parameters = parameters_;
    options.now = now;

    if (missing_) {
        // No template: the caller's datasets (or every open one) as tables.
        QList<const DatasetEntry*> entries = caller_.isEmpty() ? registry_.openEntries() : registry_.entriesOf(caller_);
        QList<QPair<QString, const db::RowSet*>> tables;
        for (const DatasetEntry* e : entries) {
            bool dup = false;
            for (const auto& l : loaded)
                dup |= l.name.compare(e->name, Qt::CaseInsensitive) == 0;
            if (dup)
                continue;
            loaded.push_back({e->name, registry_.rowsOf(*e, session_, parameters_)});
        }
        for (const auto& l : loaded)
            tables << qMakePair(l.name, l.rows.get());
        const QString note =
            tables.isEmpty()
                ? QStringLiteral("Şablon dosyası bulunamadı; gösterilecek veri kümesi yok.")
                : QStringLiteral("Şablon dosyası bulunamadı; verilen veri kümeleri tablo olarak gösteriliyor.");
        ReportTemplate t = parseTemplate(tablesTemplateText(file_, note, tables), name_, QString(), pageSetup_);
        Document doc = layoutReport(t, loaded, options);
        for (const auto& l : loaded)
            doc.datasets << qMakePair(l.name, l.rows->columnNames());
        doc.fallback = true;
        doc.title = file_;
        return doc;
    }

    const ReportTemplate& t = parsedTemplate();
    for (const QString& name : datasetsUsedBy(t)) {
        if (const DatasetEntry* e = registry_.find(name, caller_)) {
            loaded.push_back({e->name, registry_.rowsOf(*e, session_, parameters_)});
            continue;
        }
        const DatasetDecl* own = nullptr;
        for (const DatasetDecl& d : t.datasets)
            if (d.name.compare(name, Qt::CaseInsensitive) == 0)
                own = &d;
        if (own && session_) {
            loaded.push_back({own->name, std::make_shared<const db::RowSet>(session_->select(own->sql, parameters_))});
            continue;
        }
        warnings << Diagnostic{0, 0,
                               own ? QStringLiteral("'%1' veri kümesi için veritabanı bağlantısı yok").arg(name)
                                   : QStringLiteral("'%1' veri kümesi tanımlı değil").arg(name),
                               true};
        loaded.push_back({name, std::make_shared<const db::RowSet>()});
    }
    Document doc = layoutReport(t, loaded, options);
    doc.diagnostics = warnings + doc.diagnostics;
    for (const auto& l : loaded)
        doc.datasets << qMakePair(l.name, l.rows->columnNames());
    return doc;
}

bool Report::exportTo(const QString& path, QString* error)
{
    const Document doc = render();
    return writeFile(doc, path, error);
}

Report& mudy()
{
    static Report report;
    return report;
}

}  // namespace reports
