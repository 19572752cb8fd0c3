#pragma once

// The parts DataGrid is made of. Private to the widget kit.

#include <QFrame>
#include <QHeaderView>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace ui {

class DataGrid;
class GridModel;

// The column header; with the filter row on, each column has a filter box
// under its caption.
class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit GridHeader(QWidget* parent = nullptr);

    void setFilterRowVisible(bool on);
    bool filterRowVisible() const { return filterRow_; }
    QLineEdit* filterEditor(int logical) const;
    void setFilterTexts(const QHash<int, QString>& texts);
    void setPlaceholder(const QString& text);
    // Dragging a caption upwards out of the header hands the column to the
    // group-by box.
    void setGroupDragEnabled(bool on) { groupDrag_ = on; }
    bool clickSuppressed() const { return suppressClick_; }
    int captionHeight() const;
    void layoutEditors();

    QSize sizeHint() const override;
    static QString mimeType();

Q_SIGNALS:
    void filterEdited(int logical, const QString& text);
    void filterLeft();  // Down or Enter in a filter box: back to the rows

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void syncEditors();

    bool filterRow_ = false;
    bool groupDrag_ = false;
    bool suppressClick_ = false;
    int pressSection_ = -1;
    QPoint pressPos_;
    QString placeholder_;
    QList<QLineEdit*> editors_;
};

// The grid's rows: group rows, grid lines, the empty text, row posting when
// the user leaves an edited row.
class GridView : public QTreeView {
    Q_OBJECT
public:
    GridView(DataGrid* grid, GridModel* model, QWidget* parent = nullptr);

    GridHeader* gridHeader() const { return header_; }
    // Writes an open cell editor into the row (before posting it).
    void commitOpenEditor();
    void discardOpenEditor();
    bool editing() const { return state() == EditingState; }
    void setOpenEditor(QWidget* editor) { editor_ = editor; }
    void relayout() { updateGeometries(); }
    QModelIndex moveHorizontally(const QModelIndex& from, int step) const;
    int firstVisibleColumn() const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void verticalScrollbarValueChanged(int value) override;
    void updateGeometries() override;

private:
    void scheduleFetch();
    void fetchIfNeeded();
    void drawGroupRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    DataGrid* grid_;
    GridModel* model_;
    GridHeader* header_;
    QPointer<QWidget> editor_;
    bool reverting_ = false;
    bool fetchQueued_ = false;
};

// Cell editors (number, date, text boxes of the kit) and centred check boxes.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(GridModel* model, GridView* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    GridModel* model_;
    GridView* view_;
};

// The footer under the rows: one summary text under each summarised column.
class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(QHeaderView* header, std::function<QString(int)> text, std::function<Qt::Alignment(int)> alignment,
               QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHeaderView* header_;
    std::function<QString(int)> text_;
    std::function<Qt::Alignment(int)> alignment_;
};

// The group-by box above the grid: a hint while nothing is grouped, the
// grouped column (click to ungroup) otherwise. Accepts captions dragged up
// from the header.
class GroupPanel : public QFrame {
    Q_OBJECT
public:
    GroupPanel(const GridHeader* header, QWidget* parent = nullptr);
    void setGrouped(const QString& caption);
    void retranslate();

Q_SIGNALS:
    void groupRequested(int logical);
    void ungroupRequested();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int droppedColumn(const QMimeData* mime) const;

    const GridHeader* header_;
    QLabel* hint_;
    QToolButton* chip_;
    QString caption_;
};

}  // namespace ui
