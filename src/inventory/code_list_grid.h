#pragma once

#include "inventory/code_lists.h"
#include "ui/app_context.h"
#include "ui/grid_types.h"

#include <QWidget>

class QPushButton;

namespace ui {
class DataGrid;
}

namespace inventory {

// One code list in a grid that writes each row when the user leaves it, with
// a new-row line and a navigator ("Kaydet", "Vazgeç", "Sil", "Yenile").
class CodeListGrid : public QWidget {
    Q_OBJECT
public:
    CodeListGrid(ui::AppContext& context, CodeList list, const QList<ui::GridColumn>& columns,
                 QWidget* parent = nullptr);

    CodeList list() const { return list_; }
    void reload();
    bool post();    // writes the row being edited
    void cancel();  // drops the edits of the row being edited
    bool removeCurrent();
    // The values a text column's drop-down offers.
    void setChoices(const QString& field, const QStringList& values);

    ui::DataGrid* grid = nullptr;
    QPushButton* btnpost = nullptr;
    QPushButton* btncancel = nullptr;
    QPushButton* btndel = nullptr;
    QPushButton* btnrefresh = nullptr;

private:
    ui::EditResult write(const ui::RowEdit& edit);

    ui::AppContext& context_;
    CodeList list_;
};

}  // namespace inventory
