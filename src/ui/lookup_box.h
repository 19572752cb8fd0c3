#pragma once

#include "db/row.h"
#include "db/session.h"

#include <QLineEdit>
#include <optional>

class QCompleter;
class QTreeView;

namespace ui {

class LookupModel;

// Type-ahead over a query's rows: the popup lists the rows whose shown columns
// contain the typed text (Turkish case folding), and choosing one (Enter,
// click, or typing a value exactly) picks that row.
class LookupBox : public QLineEdit {
    Q_OBJECT
public:
    explicit LookupBox(QWidget* parent = nullptr);
    ~LookupBox() override;

    // `displayColumn` is what the box shows for a picked row; the popup shows
    // and searches `popupColumns` (the display column alone when empty).
    void setRows(db::RowSet rows, const QString& displayColumn, const QStringList& popupColumns = {});
    // The same over a statement's rows; a database error shows in the error box
    // and leaves the box empty.
    void setQuery(db::Session& session, const QString& sql, const db::Params& params, const QString& displayColumn,
                  const QStringList& popupColumns = {});
    const db::RowSet& rows() const;
    // At most this many rows are listed in the popup (default 200).
    void setMaxShown(int count);

    // The picked row; nullopt while the text does not come from a row.
    std::optional<db::Row> row() const;
    // Picks the first row whose `column` equals `value`; false when none does.
    bool pick(const QString& column, const QVariant& value);
    void clearPick();

    // The rows listed for the current text (tests, keyboard-free callers).
    QList<db::Row> matches() const;
    QTreeView* popup() const { return popup_; }

Q_SIGNALS:
    void picked(const db::Row& row);
    void pickCleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onEdited(const QString& text);
    void onActivated(const QModelIndex& index);
    void onEditingFinished();
    void choose(int rowIndex);

    LookupModel* model_;
    QCompleter* completer_;
    QTreeView* popup_;
    int picked_ = -1;
};

}  // namespace ui
