#pragma once

#include "widgets/OutlineDataSource.h"

#include <QTreeView>
#include <vector>

class OutlineModel;
class QLineEdit;

// The outline of modules and events. Rows are the visible rows from the top; an event row's cell
// stays in editing after each edit until the end-editing command; printing never cuts a row.
class VekNSOutlineView : public QTreeView {
    Q_OBJECT
public:
    VekNSOutlineView(const QStringList &columnIdentifiers, int outlineColumn, QWidget *parent = nullptr);

    void setDataSource(OutlineDataSource *dataSource);
    void setOutlineDelegate(OutlineDelegate *outlineDelegate) { delegateObject = outlineDelegate; }
    OutlineModel *outlineModel() const { return itemModel; }
    void setDragSource(OutlineDragSource *dragSource) { dragger = dragSource; }
    OutlineDragSource *dragSource() const { return dragger; }

    int numberOfRows() const;
    int levelForRow(int row) const;
    OutlineItem itemAtRow(int row) const;
    int rowForItem(const OutlineItem &item) const;
    bool isRowSelected(int row) const;
    int numberOfSelectedRows() const;
    int selectedRow() const;  // the first selected row, or -1
    std::vector<int> selectedRows() const;  // from the last row to the first
    void selectRowByExtendingSelection(int row, bool extend);
    // Selects `rows` in one change, adding to the selection or replacing it: rows next to each
    // other under one parent go in as one range. The last row given becomes the current one; rows
    // past the end are left out.
    void selectRows(const std::vector<int> &rows, bool extend);
    void selectAll() override;
    void deselectAll();
    void expandItem(const OutlineItem &item);
    void collapseItem(const OutlineItem &item);
    bool isItemExpanded(const OutlineItem &item) const;
    void reloadData();
    void editColumnRowWithEventSelect(int column, int row, bool select);
    int editedRow() const;
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    void reallyEndEditing() { reallyEnd = true; }
    // Stores and closes the cell being edited, for good.
    void endEditing();
    // Whether the cell being edited holds other text than the cell shows: typing not yet stored.
    bool cellTextTyped() const;

    // Where the rows of a drag under way will land, in viewport coordinates: a line between rows,
    // or a module's row; empty when nothing would be dropped.
    QRect dropTargetRect() const { return dropTarget; }
    bool dropTargetIsRow() const { return dropOntoRow; }
    // Where the drag under way was last seen over this outline, in viewport coordinates.
    QPoint dragPosition() const { return lastDragPosition; }

    // Where a drop at a point of the viewport would go, as the outline proposes it.
    void proposedDrop(const QPoint &position, OutlineItem *parent, int *childIndex) const;

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;

private:
    QLineEdit *cellEditor() const;  // the field of the cell being edited, or none
    QModelIndex indexOfItem(const OutlineItem &item, int column = 0) const;
    QItemSelection selectionOfRows(const std::vector<int> &rows) const;
    void rebuildRows() const;
    // Which rows are selected, read once from the selection's ranges after each change, so that
    // asking row by row costs nothing on a large outline.
    void rebuildSelectedRows() const;
    void askDelegate(const QModelIndex &index, bool expanding);
    // Where the rows will land, once the data source has retargeted the drop: a line between rows,
    // or the module row they go into.
    void showDropTarget(const OutlineItem &parent, int childIndex);
    void clearDropTarget();

    OutlineModel *itemModel;
    OutlineDelegate *delegateObject = nullptr;
    OutlineDragSource *dragger = nullptr;
    mutable std::vector<OutlineItem> rows;
    mutable std::vector<int> moduleRows;  // the row of each module
    mutable bool rowsValid = false;
    mutable std::vector<bool> rowSelected;
    mutable int selectedCount = 0;
    mutable bool selectionValid = false;
    bool reallyEnd = false;
    QRect dropTarget;
    QPoint lastDragPosition;
    bool dropOntoRow = false;
    bool answeringDelegate = false;
    int outlineColumn;
};
