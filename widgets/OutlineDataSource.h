#pragma once

#include <QVariant>
#include <vector>

class QMimeData;
class VekNSOutlineView;

// An item of the two-level outline: a module (event -1) or one of its events.
struct OutlineItem {
    int module = -1;
    int event = -1;
    bool isModule() const { return event < 0; }
    friend bool operator==(const OutlineItem &, const OutlineItem &) = default;
};

// What the outline asks of whoever owns the content, in the data-source style.
class OutlineDataSource {
public:
    virtual ~OutlineDataSource() = default;
    virtual int outlineViewNumberOfChildrenOfItem(const OutlineItem *item) const = 0;
    virtual QVariant outlineViewObjectValueForTableColumnByItem(int column, const OutlineItem &item) const = 0;
    virtual void outlineViewSetObjectValueForTableColumnByItem(const QVariant &value, int column, const OutlineItem &item) = 0;
    virtual bool outlineViewShouldEditTableColumnItem(int column, const OutlineItem &item) const = 0;
};

// What the outline asks of whoever moves its rows by dragging.
class OutlineDragSource {
public:
    virtual ~OutlineDragSource() = default;
    // The items come in row order, top to bottom; a drop names its parent (an item, or none for
    // the root) and the child index (-1 onto the parent itself) and may retarget both.
    virtual bool outlineViewWriteItemsToPasteboard(const std::vector<OutlineItem> &items, QMimeData *pasteboard) = 0;
    virtual bool outlineViewValidateDropProposedItemProposedChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                                       OutlineItem *parent, int *childIndex) = 0;
    virtual bool outlineViewAcceptDropItemChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                     const OutlineItem &parent, int childIndex) = 0;
    // The drag that started in this outline has ended, dropped or not.
    virtual void draggingDone() = 0;
};

// And what it tells its delegate.
class OutlineDelegate {
public:
    virtual ~OutlineDelegate() = default;
    virtual bool outlineViewShouldExpandItem(const OutlineItem &item) = 0;
    virtual bool outlineViewShouldCollapseItem(const OutlineItem &item) = 0;
    virtual void outlineViewSelectionDidChange() = 0;
};
