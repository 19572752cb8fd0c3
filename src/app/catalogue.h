#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace app {

// One entry of the main window: the code a permission row carries, the
// category it is listed under, its caption in the list, and the window it opens.
struct CatalogueEntry {
    int code = 0;
    std::optional<int> category;  // none: listed under no category
    QString name;
    QString window;  // empty: the entry opens nothing
    bool modal = false;
};

// A panel item of the main window's left side.
struct CategoryItem {
    int number;
    QString rowName;    // PR_NAME of the category row
    QString panelText;  // caption of the panel item
    QString itemName;   // component name
};

// A list entry that is not a permission row: every user with the category sees it.
struct FixedEntry {
    QString caption;
    QString window;
};

inline constexpr int kExitCode = 46;
inline constexpr int kPrivateDesksCode = 121;
// The two-digit code that opens "Sistem Yapılandırma".
inline constexpr const char* kAdministratorCode = "73";

const QList<CatalogueEntry>& catalogue();
const CatalogueEntry* entryByCode(int code);
// The seven panel categories in panel order ("Cost Control" has no item).
const QList<CategoryItem>& panelCategories();
// All eight category rows a user may be granted, in number order.
const QList<QPair<int, QString>>& categoryRows();
// Fixed entries at the end of a category's list, by the category number.
QList<FixedEntry> fixedEntries(int category);

// The ready-made permission sets.
QList<int> lightModuleEntries();
QList<int> masterModuleEntries();

}  // namespace app
