#pragma once

#include <QObject>
#include <QString>

// The texts the grids, boxes and calendars of the kit show on their own
// (filter row caption, menus, export captions, ...). They come from
// sorgu_ayar.ini beside the program; built-in Turkish texts stand in for a
// missing file or a missing line.
//
// File format: UTF-8, "[Section]" headers, "Key=Value" lines, comments start
// with ";" or "#". Blanks around keys and values are dropped; a value may be
// written between double quotes to keep leading or trailing blanks.
namespace ui {

enum class KitText {
    // [Grid]
    FilterRow,   // the filter row's caption
    FilterBox,   // placeholder of the filter box above a grid
    NoData,      // shown in an empty grid
    GroupByBox,  // the empty group-by box
    NewRow,      // the new-row line
    Columns,     // column chooser
    ShowAllColumns,
    HideColumn,
    SortAscending,
    SortDescending,
    ClearSort,
    GroupByColumn,
    Ungroup,
    ExpandAll,
    CollapseAll,
    ClearFilter,
    GroupRow,  // group row caption: %1 column, %2 value, %3 row count
    // [Export]
    ExportXlsx,
    ExportCsv,
    Print,
    PrintPreview,
    ExportTitle,  // caption of the save dialog
    XlsxFiles,    // file dialog filter
    CsvFiles,
    ExportFailed,  // "%1" is the file name
    // [Calendar]
    Today,
    PeriodStart,
    PeriodEnd,
};

QString kitText(KitText id);
// Overrides one text (tests, or a window that needs its own wording).
void setKitText(KitText id, const QString& text);

// Reads the texts from `path`; lines it lacks keep their current value.
// Returns false when the file cannot be read (the built-in texts stay).
bool loadKitTexts(const QString& path);
// Back to the built-in texts.
void resetKitTexts();
// sorgu_ayar.ini in the program's folder.
QString kitTextsFile();

// Emits changed() after the texts were (re)loaded, so that widgets already
// built show the new wording.
class KitTextsNotifier : public QObject {
    Q_OBJECT
Q_SIGNALS:
    void changed();
};
KitTextsNotifier& kitTextsNotifier();

}  // namespace ui
