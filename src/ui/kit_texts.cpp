#include "ui/kit_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>

namespace ui {

namespace {

struct Entry {
    KitText id;
    const char* section;
    const char* key;
    const char16_t* builtIn;
};

// clang-format off
const Entry entries[] = {
    {KitText::FilterRow,      "Grid",     "FilterRow",      u"Filtrele"},
    {KitText::FilterBox,      "Grid",     "FilterBox",      u"Ara..."},
    {KitText::NoData,         "Grid",     "NoData",         u"Kayıt yok"},
    {KitText::GroupByBox,     "Grid",     "GroupByBox",     u"Gruplamak için bir sütun başlığını buraya sürükleyin"},
    {KitText::NewRow,         "Grid",     "NewRow",         u"Yeni kayıt eklemek için tıklayın"},
    {KitText::Columns,        "Grid",     "Columns",        u"Sütunlar"},
    {KitText::ShowAllColumns, "Grid",     "ShowAllColumns", u"Tüm Sütunları Göster"},
    {KitText::HideColumn,     "Grid",     "HideColumn",     u"Bu Sütunu Gizle"},
    {KitText::SortAscending,  "Grid",     "SortAscending",  u"Artan Sırala"},
    {KitText::SortDescending, "Grid",     "SortDescending", u"Azalan Sırala"},
    {KitText::ClearSort,      "Grid",     "ClearSort",      u"Sıralamayı Kaldır"},
    {KitText::GroupByColumn,  "Grid",     "GroupByColumn",  u"Bu Sütuna Göre Grupla"},
    {KitText::Ungroup,        "Grid",     "Ungroup",        u"Gruplamayı Kaldır"},
    {KitText::ExpandAll,      "Grid",     "ExpandAll",      u"Tümünü Aç"},
    {KitText::CollapseAll,    "Grid",     "CollapseAll",    u"Tümünü Kapat"},
    {KitText::ClearFilter,    "Grid",     "ClearFilter",    u"Filtreyi Temizle"},
    {KitText::GroupRow,       "Grid",     "GroupRow",       u"%1 : %2 (%3 kayıt)"},
    {KitText::ExportXlsx,     "Export",   "Xlsx",           u"Excel'e Aktar..."},
    {KitText::ExportCsv,      "Export",   "Csv",            u"CSV Olarak Kaydet..."},
    {KitText::Print,          "Export",   "Print",          u"Yazdır"},
    {KitText::PrintPreview,   "Export",   "PrintPreview",   u"Baskı Önizleme"},
    {KitText::ExportTitle,    "Export",   "Title",          u"Dışa Aktar"},
    {KitText::XlsxFiles,      "Export",   "XlsxFiles",      u"Excel Dosyaları (*.xlsx)"},
    {KitText::CsvFiles,       "Export",   "CsvFiles",       u"CSV Dosyaları (*.csv)"},
    {KitText::ExportFailed,   "Export",   "Failed",         u"Dosya yazılamadı: %1"},
    {KitText::Today,          "Calendar", "Today",          u"Bugün"},
    {KitText::PeriodStart,    "Calendar", "PeriodStart",    u"Başlangıç"},
    {KitText::PeriodEnd,      "Calendar", "PeriodEnd",      u"Bitiş"},
};
// clang-format on

constexpr int entryCount = int(sizeof(entries) / sizeof(entries[0]));

QHash<int, QString>& current()
{
    static QHash<int, QString> texts;
    return texts;
}

const Entry* find(KitText id)
{
    for (const auto& e : entries)
        if (e.id == id)
            return &e;
    return nullptr;
}

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

QString kitText(KitText id)
{
    const auto it = current().constFind(int(id));
    if (it != current().cend())
        return *it;
    const Entry* e = find(id);
    return e ? QString::fromUtf16(e->builtIn) : QString();
}

void setKitText(KitText id, const QString& text)
{
    current().insert(int(id), text);
    Q_EMIT kitTextsNotifier().changed();
}

bool loadKitTexts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QHash<QString, QString> read;  // "section/key" folded -> value
    QString section;
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        read.insert((section + '/' + line.left(eq).trimmed()).toLower(), unquoted(line.mid(eq + 1)));
    }
    for (int i = 0; i < entryCount; ++i) {
        const Entry& e = entries[i];
        const QString key = (QLatin1String(e.section) + '/' + QLatin1String(e.key)).toLower();
        const auto it = read.constFind(key);
        if (it != read.cend())
            current().insert(int(e.id), *it);
    }
    Q_EMIT kitTextsNotifier().changed();
    return true;
}

void resetKitTexts()
{
    current().clear();
    Q_EMIT kitTextsNotifier().changed();
}

QString kitTextsFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("sorgu_ayar.ini"));
}

KitTextsNotifier& kitTextsNotifier()
{
    static KitTextsNotifier notifier;
    return notifier;
}

}  // namespace ui
