#pragma once

#include "inventory/code_lists.h"
#include "ui/app_context.h"
#include "ui/form_base.h"
#include "ui/grid_types.h"

namespace inventory {

class CodeListGrid;

// A window that keeps one code list in a grid: shown, it reads the list;
// closed, it drops an edit that was not written.
class CodeListFrm : public ui::FormBase {
    Q_OBJECT
public:
    CodeListFrm(ui::AppContext& context, const QString& name, const QString& caption, CodeList list,
                const QList<ui::GridColumn>& columns, QWidget* parent = nullptr);

    CodeListGrid* liste = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// "Kategori Tanımları" (Q_CATEGORY).
class KategoriFrm : public CodeListFrm {
    Q_OBJECT
public:
    explicit KategoriFrm(ui::AppContext& context, QWidget* parent = nullptr);
};

// "Tip Kodlama" (Q_TYPES).
class TipFrm : public CodeListFrm {
    Q_OBJECT
public:
    explicit TipFrm(ui::AppContext& context, QWidget* parent = nullptr);
};

// "Birim Kodlama" (Q_BIRIMS): purchase unit names and their base units.
class BirimFrm : public CodeListFrm {
    Q_OBJECT
public:
    explicit BirimFrm(ui::AppContext& context, QWidget* parent = nullptr);
};

// "Departman Tanımları" (Q_DEPARTMENT): the stores and outlets that hold stock.
class DepartmanFrm : public CodeListFrm {
    Q_OBJECT
public:
    explicit DepartmanFrm(ui::AppContext& context, QWidget* parent = nullptr);
};

}  // namespace inventory
