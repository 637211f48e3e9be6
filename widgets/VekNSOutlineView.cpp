#include "widgets/VekNSOutlineView.h"

#include "widgets/FormatterDelegate.h"
#include "widgets/OutlineModel.h"

#include <QHeaderView>
#include <QDrag>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <numeric>

VekNSOutlineView::VekNSOutlineView(const QStringList &columnIdentifiers, int column, QWidget *parent)
    : QTreeView(parent), itemModel(new OutlineModel(columnIdentifiers, this)), outlineColumn(column)
{
    setModel(itemModel);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setExpandsOnDoubleClick(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);  // ours shows the drop as retargeted, not as proposed
    setDragDropMode(QAbstractItemView::DragDrop);
    // The disclosure triangles sit in the tree's first logical column; show it where it belongs.
    if (outlineColumn != 0)
        header()->moveSection(0, outlineColumn);
    const auto invalidate = [this] { rowsValid = selectionValid = false; };
    connect(itemModel, &QAbstractItemModel::modelReset, this, invalidate);
    connect(itemModel, &QAbstractItemModel::layoutChanged, this, invalidate);
    connect(itemModel, &QAbstractItemModel::rowsInserted, this, invalidate);
    connect(itemModel, &QAbstractItemModel::rowsRemoved, this, invalidate);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex &index) { askDelegate(index, true); });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) { askDelegate(index, false); });
}

void VekNSOutlineView::setDataSource(OutlineDataSource *dataSource)
{
    itemModel->setDataSource(dataSource);
}

void VekNSOutlineView::rebuildRows() const
{
    if (rowsValid)
        return;
    rows.clear();
    moduleRows.clear();
    selectionValid = false;
    const int modules = itemModel->rowCount();
    for (int module = 0; module < modules; ++module) {
        moduleRows.push_back(static_cast<int>(rows.size()));
        rows.push_back({module, -1});
        const QModelIndex index = itemModel->index(module, 0);
        if (!isExpanded(index))
            continue;
        const int events = itemModel->rowCount(index);
        for (int event = 0; event < events; ++event)
            rows.push_back({module, event});
    }
    rowsValid = true;
}

int VekNSOutlineView::numberOfRows() const
{
    rebuildRows();
    return static_cast<int>(rows.size());
}

int VekNSOutlineView::levelForRow(int row) const
{
    rebuildRows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return -1;
    return rows[row].isModule() ? 0 : 1;
}

OutlineItem VekNSOutlineView::itemAtRow(int row) const
{
    rebuildRows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return {};
    return rows[row];
}

int VekNSOutlineView::rowForItem(const OutlineItem &item) const
{
    rebuildRows();
    const int modules = static_cast<int>(moduleRows.size());
    if (item.module < 0 || item.module >= modules)
        return -1;
    const int moduleRow = moduleRows[item.module];
    if (item.isModule())
        return moduleRow;
    // A module's events are rows only while it is open: up to the next module's row.
    const int end = item.module + 1 < modules ? moduleRows[item.module + 1] : static_cast<int>(rows.size());
    const int row = moduleRow + 1 + item.event;
    return row < end ? row : -1;
}

QModelIndex VekNSOutlineView::indexOfItem(const OutlineItem &item, int column) const
{
    return itemModel->indexOf(item, column);
}

void VekNSOutlineView::rebuildSelectedRows() const
{
    rebuildRows();
    if (selectionValid)
        return;
    rowSelected.assign(rows.size(), false);
    selectedCount = 0;
    const int rowCount = static_cast<int>(rows.size());
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        const QModelIndex parent = range.parent();
        const int module = parent.isValid() ? parent.row() : -1;
        if (module >= static_cast<int>(moduleRows.size()))
            continue;
        // A module's events are rows only while it is open: up to the next module's row.
        const int first = module < 0 ? 0 : moduleRows[module] + 1;
        const int end = module < 0 ? rowCount : module + 1 < static_cast<int>(moduleRows.size()) ? moduleRows[module + 1] : rowCount;
        for (int child = range.top(); child <= range.bottom(); ++child) {
            const int row = module < 0 ? (child < static_cast<int>(moduleRows.size()) ? moduleRows[child] : -1) : first + child;
            if (row < first || row >= end || rowSelected[row])
                continue;
            rowSelected[row] = true;
            ++selectedCount;
        }
    }
    selectionValid = true;
}

bool VekNSOutlineView::isRowSelected(int row) const
{
    rebuildSelectedRows();
    return row >= 0 && row < static_cast<int>(rowSelected.size()) && rowSelected[row];
}

std::vector<int> VekNSOutlineView::selectedRows() const
{
    rebuildSelectedRows();
    std::vector<int> selected;
    selected.reserve(selectedCount);
    for (int row = static_cast<int>(rowSelected.size()) - 1; row >= 0; --row)
        if (rowSelected[row])
            selected.push_back(row);
    return selected;
}

int VekNSOutlineView::numberOfSelectedRows() const
{
    rebuildSelectedRows();
    return selectedCount;
}

int VekNSOutlineView::selectedRow() const
{
    rebuildSelectedRows();
    for (int row = 0; row < static_cast<int>(rowSelected.size()); ++row)
        if (rowSelected[row])
            return row;
    return -1;
}

void VekNSOutlineView::selectRowByExtendingSelection(int row, bool extend)
{
    if (row >= 0 && row < numberOfRows())
        selectRows({row}, extend);
}

// Grouped by parent, each run of siblings with consecutive numbers is one range over every column:
// all module rows in one range, the events of each module in one, however the rows interleave. The
// selection model is then never asked to merge ranges, which costs the square of their number.
QItemSelection VekNSOutlineView::selectionOfRows(const std::vector<int> &wanted) const
{
    rebuildRows();
    const int rowCount = static_cast<int>(rows.size());
    const auto parentOf = [](const OutlineItem &item) { return item.isModule() ? -1 : item.module; };
    const auto childOf = [](const OutlineItem &item) { return item.isModule() ? item.module : item.event; };
    std::vector<OutlineItem> items;
    items.reserve(wanted.size());
    for (const int row : wanted)
        if (row >= 0 && row < rowCount)
            items.push_back(rows[row]);
    const auto byParentThenChild = [&](const OutlineItem &a, const OutlineItem &b) {
        return std::pair(parentOf(a), childOf(a)) < std::pair(parentOf(b), childOf(b));
    };
    std::sort(items.begin(), items.end(), byParentThenChild);
    items.erase(std::unique(items.begin(), items.end()), items.end());

    const int lastColumn = itemModel->columnCount() - 1;
    QItemSelection selection;
    for (std::size_t first = 0; first < items.size();) {
        std::size_t last = first;
        while (last + 1 < items.size() && parentOf(items[last + 1]) == parentOf(items[first])
               && childOf(items[last + 1]) == childOf(items[last]) + 1)
            ++last;
        selection.append(QItemSelectionRange(indexOfItem(items[first]), indexOfItem(items[last], lastColumn)));
        first = last + 1;
    }
    return selection;
}

void VekNSOutlineView::selectRows(const std::vector<int> &wanted, bool extend)
{
    selectionModel()->select(selectionOfRows(wanted), extend ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
    selectionValid = false;  // the selection may change with its signals blocked
    const int rowCount = numberOfRows();
    for (auto row = wanted.rbegin(); row != wanted.rend(); ++row)
        if (*row >= 0 && *row < rowCount) {
            selectionModel()->setCurrentIndex(indexOfItem(rows[*row]), QItemSelectionModel::NoUpdate);
            break;
        }
}

void VekNSOutlineView::selectAll()
{
    std::vector<int> every(static_cast<std::size_t>(numberOfRows()));
    std::iota(every.begin(), every.end(), 0);
    selectionModel()->select(selectionOfRows(every), QItemSelectionModel::ClearAndSelect);
}

// The rows from the top of the rectangle to its bottom, as the tree would select them, in ranges
// of whole rows.
void VekNSOutlineView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel() || rect.isNull())
        return;
    executeDelayedItemsLayout();
    const QModelIndex top = indexAt(QPoint(rect.left(), std::min(rect.top(), rect.bottom())));
    const QModelIndex bottom = indexAt(QPoint(rect.left(), std::max(rect.top(), rect.bottom())));
    if (!top.isValid() && !bottom.isValid()) {
        if (command & QItemSelectionModel::Clear)
            selectionModel()->clear();
        return;
    }
    const int first = top.isValid() ? rowForItem(itemModel->itemOf(top)) : 0;
    const int last = bottom.isValid() ? rowForItem(itemModel->itemOf(bottom)) : numberOfRows() - 1;
    std::vector<int> covered(static_cast<std::size_t>(std::max(0, last - first + 1)));
    std::iota(covered.begin(), covered.end(), first);
    selectionModel()->select(selectionOfRows(covered), command & ~QItemSelectionModel::SelectionFlags(QItemSelectionModel::Rows | QItemSelectionModel::Columns));
}

void VekNSOutlineView::deselectAll()
{
    selectionModel()->clearSelection();
    selectionValid = false;
}

void VekNSOutlineView::expandItem(const OutlineItem &item)
{
    expand(indexOfItem(item));
}

void VekNSOutlineView::collapseItem(const OutlineItem &item)
{
    collapse(indexOfItem(item));
}

bool VekNSOutlineView::isItemExpanded(const OutlineItem &item) const
{
    return isExpanded(indexOfItem(item));
}

void VekNSOutlineView::reloadData()
{
    itemModel->reload();
    rowsValid = false;
}

void VekNSOutlineView::editColumnRowWithEventSelect(int column, int row, bool select)
{
    const QModelIndex index = indexOfItem(itemAtRow(row), column);
    if (!index.isValid())
        return;
    // Only the cell: the selection stays as it is, whatever modifier keys the command came with
    // (Ctrl+N would otherwise toggle the new row out of the selection).
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    edit(index);
    if (auto *editor = qobject_cast<QLineEdit *>(indexWidget(index) ? indexWidget(index) : focusWidget()))
        if (select)
            editor->selectAll();
}

int VekNSOutlineView::editedRow() const
{
    if (state() != QAbstractItemView::EditingState)
        return -1;
    return rowForItem(itemModel->itemOf(currentIndex()));
}

QLineEdit *VekNSOutlineView::cellEditor() const
{
    if (state() != QAbstractItemView::EditingState)
        return nullptr;
    for (QLineEdit *editor : viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
        if (editor->isVisible())
            return editor;
    return nullptr;
}

void VekNSOutlineView::endEditing()
{
    if (QLineEdit *editor = cellEditor()) {
        reallyEnd = true;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool VekNSOutlineView::cellTextTyped() const
{
    const QLineEdit *editor = cellEditor();
    const QModelIndex cell = currentIndex();
    return editor && editor->text() != FormatterDelegate::cellText(cell.column(), cell.data(Qt::EditRole));
}

void VekNSOutlineView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex edited = currentIndex();
    const bool eventRow = edited.isValid() && edited.parent().isValid();
    if (!eventRow && (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem)) {
        // Tab walks the row's cells as they are shown, then on to the next row.
        QTreeView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        const int step = hint == QAbstractItemDelegate::EditNextItem ? 1 : -1;
        const int visual = header()->visualIndex(edited.column()) + step;
        const int row = rowForItem(itemModel->itemOf(edited));
        QModelIndex next;
        if (visual >= 0 && visual < header()->count())
            next = edited.siblingAtColumn(header()->logicalIndex(visual));
        else if (row + step >= 0 && row + step < numberOfRows())
            next = indexOfItem(itemAtRow(row + step), header()->logicalIndex(step > 0 ? 0 : header()->count() - 1));
        if (next.isValid() && (next.flags() & Qt::ItemIsEditable)) {
            setCurrentIndex(next);
            edit(next);
        }
    } else if (!eventRow) {
        QTreeView::closeEditor(editor, hint);
    } else {
        // The text is stored and editing stays in this cell until the end-editing command.
        QTreeView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (!reallyEnd && hint != QAbstractItemDelegate::RevertModelCache) {
            edit(edited);
            if (auto *reopened = qobject_cast<QLineEdit *>(focusWidget()))
                reopened->selectAll();
        }
    }
    reallyEnd = false;
}

void VekNSOutlineView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    selectionValid = false;
    QTreeView::selectionChanged(selected, deselected);
    if (delegateObject && !answeringDelegate)
        delegateObject->outlineViewSelectionDidChange();
}

// The tree has already expanded or collapsed the item when it tells: a refusal undoes it, unless
// the delegate has reloaded the outline meanwhile (the expand-all rule does).
void VekNSOutlineView::askDelegate(const QModelIndex &index, bool expanding)
{
    rowsValid = selectionValid = false;
    if (!delegateObject || answeringDelegate)
        return;
    const OutlineItem item = itemModel->itemOf(index);
    const QPersistentModelIndex kept(index);
    const bool allowed = expanding ? delegateObject->outlineViewShouldExpandItem(item)
                                   : delegateObject->outlineViewShouldCollapseItem(item);
    if (allowed || !kept.isValid() || isExpanded(kept) != expanding)
        return;
    answeringDelegate = true;
    setExpanded(kept, !expanding);
    answeringDelegate = false;
}

void VekNSOutlineView::startDrag(Qt::DropActions)
{
    if (!dragger)
        return;
    std::vector<OutlineItem> items;
    for (const int row : selectedRows())
        items.insert(items.begin(), itemAtRow(row));
    auto pasteboard = std::make_unique<QMimeData>();
    if (items.empty() || !dragger->outlineViewWriteItemsToPasteboard(items, pasteboard.get()))
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(pasteboard.release());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    dragger->draggingDone();
}

void VekNSOutlineView::proposedDrop(const QPoint &position, OutlineItem *parent, int *childIndex) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid()) {
        *parent = {};
        *childIndex = -1;
        return;
    }
    const QRect row = visualRect(index);
    const int margin = std::max(2, row.height() / 4);
    const OutlineItem item = itemModel->itemOf(index);
    const OutlineItem owner = item.isModule() ? OutlineItem {} : OutlineItem {item.module, -1};
    const int place = item.isModule() ? item.module : item.event;
    if (position.y() < row.top() + margin) {
        *parent = owner;
        *childIndex = place;
    } else if (position.y() > row.bottom() - margin && !(item.isModule() && isExpanded(index))) {
        *parent = owner;
        *childIndex = place + 1;
    } else if (item.isModule() && isExpanded(index) && position.y() > row.bottom() - margin) {
        *parent = item;
        *childIndex = 0;
    } else {
        *parent = item;
        *childIndex = -1;
    }
}

namespace {

VekNSOutlineView *outlineOf(QObject *dragSource)
{
    return qobject_cast<VekNSOutlineView *>(dragSource);
}

}  // namespace

void VekNSOutlineView::dragEnterEvent(QDragEnterEvent *event)
{
    if (dragger && outlineOf(event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VekNSOutlineView::dragMoveEvent(QDragMoveEvent *event)
{
    QTreeView::dragMoveEvent(event);
    OutlineItem parent;
    int childIndex = -1;
    lastDragPosition = event->position().toPoint();
    proposedDrop(lastDragPosition, &parent, &childIndex);
    VekNSOutlineView *from = outlineOf(event->source());
    if (dragger && from && dragger->outlineViewValidateDropProposedItemProposedChildIndex(event->mimeData(), from, &parent, &childIndex)) {
        showDropTarget(parent, childIndex);
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        clearDropTarget();
        event->ignore();
    }
}

void VekNSOutlineView::dragLeaveEvent(QDragLeaveEvent *event)
{
    clearDropTarget();
    QTreeView::dragLeaveEvent(event);
}

void VekNSOutlineView::showDropTarget(const OutlineItem &parent, int childIndex)
{
    QRect target;
    const int rowCount = numberOfRows();
    const auto rowRect = [this](int row) {
        const QRect cell = visualRect(indexOfItem(itemAtRow(row)));
        return QRect(0, cell.top(), viewport()->width(), cell.height());
    };
    dropOntoRow = childIndex < 0;
    if (dropOntoRow) {
        target = rowRect(rowForItem(parent));
    } else if (rowCount > 0) {
        // The gap before the child at childIndex, or after the parent's last child.
        const OutlineItem before = parent.module < 0 ? OutlineItem {childIndex, -1} : OutlineItem {parent.module, childIndex};
        const int row = rowForItem(before);
        const int after = parent.module < 0 ? rowCount : rowForItem(parent) + itemModel->rowCount(indexOfItem(parent)) + 1;
        const int y = row >= 0 ? rowRect(row).top() : rowRect(after - 1).bottom() + 1;
        target = QRect(0, y - 1, viewport()->width(), 2);
    }
    if (target != dropTarget) {
        viewport()->update(dropTarget.adjusted(0, -2, 0, 2));
        dropTarget = target;
        viewport()->update(dropTarget.adjusted(0, -2, 0, 2));
    }
}

void VekNSOutlineView::clearDropTarget()
{
    viewport()->update(dropTarget.adjusted(0, -2, 0, 2));
    dropTarget = QRect();
}

void VekNSOutlineView::paintEvent(QPaintEvent *event)
{
    QTreeView::paintEvent(event);
    if (dropTarget.isNull())
        return;
    QPainter painter(viewport());
    const QColor highlight = palette().color(QPalette::Highlight);
    if (dropOntoRow) {
        painter.setPen(QPen(highlight, 2));
        painter.drawRect(dropTarget.adjusted(1, 1, -1, -1));
    } else {
        painter.fillRect(dropTarget, highlight);
    }
}

void VekNSOutlineView::dropEvent(QDropEvent *event)
{
    OutlineItem parent;
    int childIndex = -1;
    proposedDrop(event->position().toPoint(), &parent, &childIndex);
    VekNSOutlineView *from = outlineOf(event->source());
    clearDropTarget();
    if (!dragger || !from
        || !dragger->outlineViewValidateDropProposedItemProposedChildIndex(event->mimeData(), from, &parent, &childIndex)) {
        event->ignore();
        return;
    }
    dragger->outlineViewAcceptDropItemChildIndex(event->mimeData(), from, parent, childIndex);
    // The rows have moved already: the dragging view must not remove anything itself.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
