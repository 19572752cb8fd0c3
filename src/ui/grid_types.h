#pragma once

#include "db/row.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ui {

// One column of a grid. Columns of the rows that no GridColumn names are kept
// as hidden columns (the column chooser can show them).
struct GridColumn {
    QString field;    // column name in the rows (case-insensitive)
    QString caption;  // header text; the field name when empty
    QString format;   // display format, see ui/format.h
    bool visible = true;
    bool editable = false;    // in-place editing (when the grid is not read-only)
    bool check = false;       // a 0/1 flag shown as a check box
    bool safeText = false;    // the editor refuses "%" and "'"
    bool masked = false;      // a secret: shown and edited as dots
    int width = 0;            // pixels; 0: from the caption and the first rows
    QStringList choices;      // a text column edited through a drop-down of these values
    Qt::Alignment alignment;  // default: numbers right, check boxes centred, text left
};

enum class SummaryKind { Sum, Count, Avg, Min, Max };

// A footer or group summary under the column `field`.
struct GridSummary {
    QString field;
    SummaryKind kind = SummaryKind::Sum;
    QString format;       // display format ("Adet=0", ",0.00"); the column's format when empty
    QString sourceField;  // its column in the footer source row; `field` when empty
};

// Footer figures computed elsewhere, normally one SQL aggregate over the same
// statement as the rows: a row with one column per summary (named after the
// summary's sourceField, or its field).
using FooterSource = std::function<db::Row()>;

// One edited row, handed to the row writer when the user leaves the row.
struct RowEdit {
    enum class Kind { Update, Insert };
    Kind kind = Kind::Update;
    db::Row before;       // as read (all values null for an insert)
    db::Row after;        // as edited
    QStringList changed;  // fields the user changed
};

// What the row writer says about an edit.
struct EditResult {
    bool accepted = true;
    bool revert = false;            // when refused: drop the user's values
    QString message;                // shown when refused (empty: nothing shown)
    std::optional<db::Row> stored;  // the row as it now stands (new keys, rounding); `after` when empty

    static EditResult ok(std::optional<db::Row> stored = std::nullopt) { return {true, false, {}, std::move(stored)}; }
    // Keeps the user's values and the row so that they can be corrected (or
    // dropped with Esc).
    static EditResult refuse(const QString& message) { return {false, false, message, std::nullopt}; }
    // Puts the row back as it was read.
    static EditResult refuseAndRevert(const QString& message) { return {false, true, message, std::nullopt}; }
};

// Writes an edited row back (an UPDATE or INSERT with bound values). A thrown
// db::Error is shown in the error box and keeps the edit, like a refusal.
using RowWriter = std::function<EditResult(const RowEdit&)>;

}  // namespace ui
