#pragma once

#include "document/Pasteboard.h"
#include "model/Records.h"
#include "widgets/OutlineDataSource.h"

#include <QCoreApplication>

class Modules;
class QObject;

// Modules and events moving by the clipboard and by dragging rows, within a window and between
// windows. A module travels with its events; events travel only between the events of a module.
class ModulesClipboard : public OutlineDragSource {
    Q_DECLARE_TR_FUNCTIONS(ModulesClipboard)
public:
    explicit ModulesClipboard(Modules &document);

    void copy(QObject *sender = nullptr);
    void cut(QObject *sender = nullptr);
    void paste(QObject *sender = nullptr);
    // Whether the selection can be copied: modules alone, or events alone.
    bool copyValid();

    bool outlineViewWriteItemsToPasteboard(const std::vector<OutlineItem> &items, QMimeData *pasteboard) override;
    bool outlineViewValidateDropProposedItemProposedChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                               OutlineItem *parent, int *childIndex) override;
    bool outlineViewAcceptDropItemChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                             const OutlineItem &parent, int childIndex) override;
    void draggingDone() override;
    bool isDraggingModules() const { return draggingModules; }
    Modules &owner() const { return document; }

private:
    // The dragged rows moved here from `from` (this document or another): whether anything moved.
    bool acceptModules(const std::vector<int> &dragged, Modules &from, int childIndex);
    bool acceptEvents(const std::vector<DraggedEvent> &dragged, Modules &from, int parentModule, int childIndex);

    Modules &document;
    bool dragCutCopyModules = false;
    bool dragCutCopyEvents = false;
    bool draggingModules = false;
};
