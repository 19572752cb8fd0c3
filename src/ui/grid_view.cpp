#include "ui/grid_view.h"

#include "db/values.h"
#include "ui/data_grid.h"
#include "ui/edit_boxes.h"
#include "ui/format.h"
#include "ui/grid_model.h"
#include "ui/kit_texts.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace ui {

namespace {

QColor gridLineColor(const QPalette& palette)
{
    QColor c = palette.color(QPalette::Mid);
    c.setAlpha(90);
    return c;
}

QColor groupRowColor()
{
    return QColor(0xE4, 0xEA, 0xF2);
}

}  // namespace

// ================================================================ GridHeader

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setSortIndicatorShown(true);
    setSortIndicator(-1, Qt::AscendingOrder);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(24);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QHeaderView::sectionResized, this, &GridHeader::layoutEditors);
    connect(this, &QHeaderView::sectionMoved, this, &GridHeader::layoutEditors);
    connect(this, &QHeaderView::geometriesChanged, this, &GridHeader::layoutEditors);
    connect(this, &QHeaderView::sectionCountChanged, this, [this] { syncEditors(); });
}

QString GridHeader::mimeType()
{
    return QStringLiteral("application/x-manager-grid-column");
}

int GridHeader::captionHeight() const
{
    return QHeaderView::sizeHint().height();
}

QSize GridHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    if (filterRow_ && !editors_.isEmpty())
        s.setHeight(s.height() + editors_.first()->sizeHint().height());
    else if (filterRow_)
        s.setHeight(s.height() + QLineEdit().sizeHint().height());
    return s;
}

void GridHeader::setFilterRowVisible(bool on)
{
    if (filterRow_ == on)
        return;
    filterRow_ = on;
    syncEditors();
    updateGeometry();
    if (auto* view = qobject_cast<GridView*>(parentWidget()))
        view->relayout();
}

void GridHeader::setPlaceholder(const QString& text)
{
    placeholder_ = text;
    for (QLineEdit* e : editors_)
        e->setPlaceholderText(text);
}

QLineEdit* GridHeader::filterEditor(int logical) const
{
    return logical >= 0 && logical < editors_.size() ? editors_[logical] : nullptr;
}

void GridHeader::setFilterTexts(const QHash<int, QString>& texts)
{
    for (int i = 0; i < editors_.size(); ++i)
        if (editors_[i]->text() != texts.value(i))
            editors_[i]->setText(texts.value(i));
}

void GridHeader::syncEditors()
{
    const int wanted = filterRow_ ? count() : 0;
    while (editors_.size() > wanted)
        delete editors_.takeLast();
    while (editors_.size() < wanted) {
        auto* e = new QLineEdit(viewport());
        const int logical = int(editors_.size());
        e->setPlaceholderText(placeholder_);
        e->setClearButtonEnabled(false);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this,
                [this, logical](const QString& t) { Q_EMIT filterEdited(logical, t); });
        editors_ << e;
    }
    layoutEditors();
}

void GridHeader::layoutEditors()
{
    if (!filterRow_)
        return;
    const int top = captionHeight();
    const int h = viewport()->height() - top;
    for (int logical = 0; logical < editors_.size(); ++logical) {
        QLineEdit* e = editors_[logical];
        if (isSectionHidden(logical)) {
            e->hide();
            continue;
        }
        e->setGeometry(sectionViewportPosition(logical), top, sectionSize(logical), h);
        e->show();
    }
}

void GridHeader::resizeEvent(QResizeEvent* event)
{
    QHeaderView::resizeEvent(event);
    layoutEditors();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logical) const
{
    QRect r = rect;
    if (filterRow_)
        r.setHeight(captionHeight());
    QHeaderView::paintSection(painter, r, logical);
}

void GridHeader::mousePressEvent(QMouseEvent* event)
{
    suppressClick_ = false;
    pressSection_ = -1;
    if (event->button() == Qt::LeftButton && event->position().y() < captionHeight()) {
        pressPos_ = event->position().toPoint();
        pressSection_ = logicalIndexAt(pressPos_);
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int distance = QApplication::startDragDistance();
    if (pressSection_ >= 0 && (event->buttons() & Qt::LeftButton)) {
        if (qAbs(pos.x() - pressPos_.x()) >= distance) {
            pressSection_ = -1;  // a sideways drag moves the column
        } else if (groupDrag_ && pos.y() < -distance) {
            const int section = pressSection_;
            pressSection_ = -1;
            // End the header's own press without a click (and so without sorting).
            suppressClick_ = true;
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pressPos_), mapToGlobal(QPointF(pressPos_)),
                                Qt::LeftButton, Qt::NoButton, event->modifiers());
            QHeaderView::mouseReleaseEvent(&release);
            auto* mime = new QMimeData;
            mime->setData(mimeType(), QByteArray::number(quintptr(this)) + ':' + QByteArray::number(section));
            auto* drag = new QDrag(this);
            drag->setMimeData(mime);
            const QRect r(sectionViewportPosition(section), 0, sectionSize(section), captionHeight());
            drag->setPixmap(viewport()->grab(r));
            drag->exec(Qt::MoveAction);
            suppressClick_ = false;
            return;
        }
    }
    QHeaderView::mouseMoveEvent(event);
}

bool GridHeader::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !editor->text().isEmpty()) {
            editor->clear();
            Q_EMIT filterEdited(int(editors_.indexOf(editor)), QString());
            return true;
        }
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT filterLeft();
            return true;
        }
    }
    return QHeaderView::eventFilter(watched, event);
}

// ================================================================ GridView

GridView::GridView(DataGrid* grid, GridModel* model, QWidget* parent)
    : QTreeView(parent), grid_(grid), model_(model), header_(new GridHeader(this))
{
    setHeader(header_);
    setModel(model_);
    // QTreeView::setHeader turns clicking off (sorting is the grid's, not the view's).
    header_->setSectionsClickable(true);
    header_->setSortIndicatorShown(true);
    header_->setSortIndicator(-1, Qt::AscendingOrder);
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setItemsExpandable(true);
    setIndentation(14);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAnimated(false);
}

int GridView::firstVisibleColumn() const
{
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (!header_->isSectionHidden(logical))
            return logical;
    }
    return 0;
}

void GridView::discardOpenEditor()
{
    if (editor_ && state() == EditingState)
        closeEditor(editor_, QAbstractItemDelegate::RevertModelCache);
}

void GridView::commitOpenEditor()
{
    if (editor_ && state() == EditingState) {
        QWidget* e = editor_;
        commitData(e);
        closeEditor(e, QAbstractItemDelegate::NoHint);
    }
}

void GridView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (model_->isGroupRow(index)) {
        drawGroupRow(painter, option, index);
        return;
    }
    QTreeView::drawRow(painter, option, index);

    const QRect row(0, option.rect.y(), viewport()->width(), option.rect.height());
    painter->save();
    painter->setPen(gridLineColor(palette()));
    const int right = header_->length() - header_->offset();
    painter->drawLine(row.left(), row.bottom(), qMin(right, row.right()), row.bottom());
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (header_->isSectionHidden(logical))
            continue;
        const int x = header_->sectionViewportPosition(logical) + header_->sectionSize(logical) - 1;
        if (x >= 0 && x <= row.right())
            painter->drawLine(x, row.top(), x, row.bottom());
    }
    // An edited row not written yet carries a mark at its left end.
    if (index.data(GridModel::PendingRole).toBool())
        painter->fillRect(QRect(row.left(), row.top(), 4, row.height()), QColor(0xE6, 0x8A, 0x00));
    if (model_->isNewRowLine(index) && !index.data(GridModel::PendingRole).toBool()) {
        QFont f = painter->font();
        f.setItalic(true);
        painter->setFont(f);
        painter->setPen(palette().color(QPalette::PlaceholderText));
        const int x = header_->sectionViewportPosition(firstVisibleColumn());
        painter->drawText(row.adjusted(x + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, kitText(KitText::NewRow));
    }
    painter->restore();
}

void GridView::drawGroupRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect row(0, option.rect.y(), viewport()->width(), option.rect.height());
    const bool current = currentIndex().isValid() && currentIndex().siblingAtColumn(0) == index.siblingAtColumn(0);
    painter->save();
    const bool focused = current && hasFocus();
    painter->fillRect(row, focused ? palette().color(QPalette::Highlight) : groupRowColor());
    const QColor ink = focused ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text);
    painter->setPen(ink);

    // Expand arrow.
    const int mid = row.center().y();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setBrush(ink);
    QPolygon arrow;
    if (isExpanded(index))
        arrow << QPoint(5, mid - 2) << QPoint(13, mid - 2) << QPoint(9, mid + 3);
    else
        arrow << QPoint(7, mid - 4) << QPoint(12, mid) << QPoint(7, mid + 4);
    painter->drawPolygon(arrow);
    painter->setRenderHint(QPainter::Antialiasing, false);

    // Group summaries under their columns; the caption takes the room left of them.
    int captionRight = row.right() - 4;
    const int g = index.row();
    QFont bold = painter->font();
    bold.setBold(true);
    painter->setFont(bold);
    const auto& summaries = model_->groupSummaries();
    for (int i = 0; i < summaries.size(); ++i) {
        const int c = model_->columnOf(summaries[i].field);
        if (c < 0 || header_->isSectionHidden(c))
            continue;
        const int x = header_->sectionViewportPosition(c);
        const QRect cell(x + 4, row.top(), header_->sectionSize(c) - 8, row.height());
        const QString text = model_->groupSummaryText(g, i);
        painter->drawText(cell, int((grid_->alignmentOf(c) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter), text);
        captionRight = qMin(captionRight, x - 6);
    }
    const QRect captionRect(20, row.top(), qMax(40, captionRight - 20), row.height());
    painter->drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(model_->groupCaption(g), Qt::ElideRight, captionRect.width()));
    painter->setPen(gridLineColor(palette()));
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    painter->restore();
}

void GridView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (model_->rowCount() == 0) {
        QPainter p(viewport());
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(viewport()->rect().adjusted(0, 16, 0, 0), Qt::AlignHCenter | Qt::AlignTop, kitText(KitText::NoData));
    }
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    const bool rowChanged = current.siblingAtColumn(0) != previous.siblingAtColumn(0);
    if (!reverting_ && rowChanged && previous.isValid() && !grid_->leavingRow(previous, current)) {
        // The row writer refused: the cursor stays on the edited row.
        reverting_ = true;
        selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        reverting_ = false;
        // A mouse press goes on to select the clicked row after this; put the
        // selection back once it is done.
        QTimer::singleShot(0, this, [this, keep = QPersistentModelIndex(previous)] {
            if (keep.isValid() && selectionModel()->currentIndex() == QModelIndex(keep))
                selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        });
        return;
    }
    QTreeView::currentChanged(current, previous);
    if (rowChanged && !reverting_)
        Q_EMIT grid_->currentRowChanged(grid_->currentPosition());
}

QModelIndex GridView::moveHorizontally(const QModelIndex& from, int step) const
{
    if (!from.isValid())
        return from;
    int visual = header_->visualIndex(from.column());
    for (visual += step; visual >= 0 && visual < header_->count(); visual += step) {
        const int logical = header_->logicalIndex(visual);
        if (!header_->isSectionHidden(logical))
            return from.siblingAtColumn(logical);
    }
    return from;
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && !model_->isGroupRow(cur)) {
        switch (action) {
            case MoveLeft:
                return moveHorizontally(cur, -1);
            case MoveRight:
                return moveHorizontally(cur, 1);
            case MoveNext: {
                const QModelIndex next = moveHorizontally(cur, 1);
                if (next != cur)
                    return next;
                const QModelIndex below = QTreeView::moveCursor(MoveDown, modifiers);
                return below.isValid() ? below.siblingAtColumn(firstVisibleColumn()) : cur;
            }
            case MovePrevious:
                return moveHorizontally(cur, -1);
            default:
                break;
        }
    }
    return QTreeView::moveCursor(action, modifiers);
}

void GridView::verticalScrollbarValueChanged(int value)
{
    QTreeView::verticalScrollbarValueChanged(value);
    scheduleFetch();
}

void GridView::updateGeometries()
{
    QTreeView::updateGeometries();
    scheduleFetch();
}

void GridView::scheduleFetch()
{
    if (fetchQueued_ || !model_->hasMoreRows())
        return;
    fetchQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        fetchQueued_ = false;
        fetchIfNeeded();
    });
}

// The next batch is read once the last row read so far is on show (the
// scroll bar at its end, or every row fitting on the screen).
void GridView::fetchIfNeeded()
{
    if (!isVisible() || !model_->hasMoreRows())
        return;
    const QScrollBar* bar = verticalScrollBar();
    if (bar->value() < bar->maximum())
        return;
    model_->fetchBatch();
}

bool GridView::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape && model_->hasPending()) {
            event->accept();
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && grid_->wantsEnter()) {
            event->accept();
            return true;
        }
    }
    return QTreeView::event(event);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex cur = currentIndex();
    switch (event->key()) {
        case Qt::Key_Escape:
            if (state() != EditingState && model_->hasPending()) {
                grid_->cancelEdit();
                return;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (state() == EditingState)
                break;
            if (cur.isValid() && model_->isGroupRow(cur)) {
                setExpanded(cur.siblingAtColumn(0), !isExpanded(cur.siblingAtColumn(0)));
                return;
            }
            if (cur.isValid() && (model_->flags(cur) & Qt::ItemIsEditable)) {
                edit(cur);
                return;
            }
            if (cur.isValid()) {
                grid_->activate(cur);
                return;
            }
            break;
        default:
            break;
    }
    QTreeView::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && model_->isGroupRow(index) && event->button() == Qt::LeftButton &&
        event->position().x() < 20) {
        setExpanded(index.siblingAtColumn(0), !isExpanded(index.siblingAtColumn(0)));
        setCurrentIndex(index);
        return;
    }
    QTreeView::mousePressEvent(event);
}

// ================================================================ GridDelegate

GridDelegate::GridDelegate(GridModel* model, GridView* view) : QStyledItemDelegate(view), model_(model), view_(view) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const GridColumn& col = model_->column(index.column());
    QWidget* editor = nullptr;
    switch (model_->kind(index.column())) {
        case GridModel::Kind::Number: {
            const bool integer = formatDecimals(col.format) == 0;
            auto* box = new NumberBox(integer ? NumberBox::Kind::Integer : NumberBox::Kind::Decimal, parent);
            box->setFrame(false);
            editor = box;
            break;
        }
        case GridModel::Kind::Date: {
            auto* box = new DateBox(parent);
            box->setFrame(false);
            editor = box;
            break;
        }
        case GridModel::Kind::Check:
            return nullptr;
        case GridModel::Kind::Text: {
            if (!col.choices.isEmpty()) {
                // A drop-down of the allowed values; typing picks the matching one.
                auto* combo = new QComboBox(parent);
                combo->setEditable(true);
                combo->setInsertPolicy(QComboBox::NoInsert);
                combo->addItems(col.choices);
                combo->setFrame(false);
                editor = combo;
                break;
            }
            QLineEdit* box = col.safeText ? new SafeTextBox(parent) : new QLineEdit(parent);
            box->setFrame(false);
            if (col.masked)
                box->setEchoMode(QLineEdit::Password);
            editor = box;
            break;
        }
    }
    view_->setOpenEditor(editor);
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant v = index.data(Qt::EditRole);
    if (auto* number = qobject_cast<NumberBox*>(editor)) {
        const auto n = numberOf(v);
        if (n)
            number->setValue(*n);
        else
            number->clear();
    } else if (auto* date = qobject_cast<DateBox*>(editor)) {
        const QDateTime m = db::fromDb(v);
        date->setDate(m.isValid() ? m.date() : QDate::currentDate());
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentText(v.toString());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(v.toString());
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QVariant typed;
    if (auto* date = qobject_cast<DateBox*>(editor))
        typed = date->date();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        typed = combo->currentText();
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        typed = line->text();
    else
        return;
    // Unchanged cells do not make the row an edited one.
    const QVariant before = index.data(Qt::EditRole);
    if (formatValue(before, {}) ==
            formatValue(typed.typeId() == QMetaType::QDate ? QVariant(QDateTime(typed.toDate(), QTime(0, 0))) : typed,
                        {}) ||
        (before.isNull() && typed.toString().isEmpty()))
        return;
    if (auto* number = qobject_cast<NumberBox*>(editor)) {
        const auto n = number->number();
        const auto old = numberOf(before);
        if (n && old && *n == *old)
            return;
    }
    model->setData(index, typed, Qt::EditRole);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (model_->kind(index.column()) != GridModel::Kind::Check || model_->isGroupRow(index) ||
        !index.data(Qt::CheckStateRole).isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    const QWidget* w = option.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);

    // A full check box (frame included), so that an empty flag reads as one.
    QStyleOptionButton box;
    box.initFrom(w);
    const int size = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, w);
    box.rect = QRect(option.rect.center().x() - size / 2, option.rect.center().y() - size / 2, size, size);
    box.state = QStyle::State_Enabled |
                (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, w);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index)
{
    if (model_->kind(index.column()) != GridModel::Kind::Check || !(model->flags(index) & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    bool toggle = false;
    switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            toggle = me->button() == Qt::LeftButton && option.rect.contains(me->position().toPoint());
            break;
        }
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            toggle = key == Qt::Key_Space || key == Qt::Key_Select;
            break;
        }
        default:
            break;
    }
    if (!toggle)
        return false;
    const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

// ================================================================ GridFooter

GridFooter::GridFooter(QHeaderView* header, std::function<QString(int)> text,
                       std::function<Qt::Alignment(int)> alignment, QWidget* parent)
    : QWidget(parent), header_(header), text_(std::move(text)), alignment_(std::move(alignment))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(header_, &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
    connect(header_, &QHeaderView::sectionMoved, this, qOverload<>(&QWidget::update));
    connect(header_, &QHeaderView::geometriesChanged, this, qOverload<>(&QWidget::update));
}

QSize GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 10};
}

void GridFooter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect all = rect();
    p.fillRect(all, palette().color(QPalette::Window).darker(104));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(all.topLeft(), all.topRight());
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (header_->isSectionHidden(logical))
            continue;
        const int x = header_->sectionViewportPosition(logical);
        const int w = header_->sectionSize(logical);
        if (x + w < 0 || x > all.width())
            continue;
        const QString text = text_(logical);
        if (text.isEmpty())
            continue;
        const QRect cell(x + 2, 3, w - 4, all.height() - 6);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Text));
        const Qt::Alignment a = alignment_(logical);
        p.drawText(cell.adjusted(4, 0, -4, 0), int((a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter),
                   p.fontMetrics().elidedText(text, Qt::ElideLeft, cell.width() - 8));
    }
}

// ================================================================ GroupPanel

GroupPanel::GroupPanel(const GridHeader* header, QWidget* parent)
    : QFrame(parent), header_(header), hint_(new QLabel(this)), chip_(new QToolButton(this))
{
    setAcceptDrops(true);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Window).darker(106));
    setPalette(pal);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(chip_);
    layout->addWidget(hint_, 1);
    QPalette hintPal = hint_->palette();
    hintPal.setColor(QPalette::WindowText, hintPal.color(QPalette::PlaceholderText));
    hint_->setPalette(hintPal);
    chip_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    chip_->setAutoRaise(false);
    connect(chip_, &QToolButton::clicked, this, &GroupPanel::ungroupRequested);
    setGrouped({});
}

void GroupPanel::setGrouped(const QString& caption)
{
    caption_ = caption;
    chip_->setVisible(!caption.isEmpty());
    chip_->setText(caption + QStringLiteral("  ✕"));
    chip_->setToolTip(kitText(KitText::Ungroup));
    hint_->setText(caption.isEmpty() ? kitText(KitText::GroupByBox) : QString());
}

void GroupPanel::retranslate()
{
    setGrouped(caption_);
}

int GroupPanel::droppedColumn(const QMimeData* mime) const
{
    if (!mime || !mime->hasFormat(GridHeader::mimeType()))
        return -1;
    const QList<QByteArray> parts = mime->data(GridHeader::mimeType()).split(':');
    if (parts.size() != 2 || parts[0].toULongLong() != quintptr(header_))
        return -1;
    return parts[1].toInt();
}

void GroupPanel::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedColumn(event->mimeData()) >= 0)
        event->acceptProposedAction();
}

void GroupPanel::dropEvent(QDropEvent* event)
{
    const int c = droppedColumn(event->mimeData());
    if (c < 0)
        return;
    event->acceptProposedAction();
    Q_EMIT groupRequested(c);
}

}  // namespace ui
