#pragma once

#include "db/row.h"

#include <QTreeView>
#include <optional>

class QStandardItemModel;

namespace ui {

// A tree over rows that name their parent: each row with `keyColumn` k is shown
// under the row whose key equals its `parentColumn` (at the top when the parent
// is empty, 0 or not among the rows).
class TreeList : public QTreeView {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString caption;
        QString format;
    };

    explicit TreeList(QWidget* parent = nullptr);

    void setColumns(const QList<Column>& columns);
    void setRows(db::RowSet rows, const QString& keyColumn, const QString& parentColumn);
    const db::RowSet& rows() const { return rows_; }

    std::optional<db::Row> currentRow() const;
    // Selects the row with this key (opening its parents); false when absent.
    bool locate(const QVariant& key);
    // Rows under the node with this key, direct children only (tests, windows).
    QList<db::Row> childrenOf(const QVariant& key) const;

Q_SIGNALS:
    void currentRowChanged();
    void rowActivated(const db::Row& row);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QModelIndex findKey(const QVariant& key) const;
    db::Row rowOf(const QModelIndex& index) const;

    QStandardItemModel* model_;
    QList<Column> columns_;
    db::RowSet rows_;
    int keyIndex_ = -1;
};

}  // namespace ui
