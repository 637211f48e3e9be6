#include "documentwindow/ModulesClipboard.h"

#include "document/DragAndDrop.h"
#include "document/InsertPlan.h"
#include "document/ModuleCells.h"
#include "documentwindow/Modules.h"
#include "widgets/OutlineModel.h"
#include "widgets/VekNSOutlineView.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <algorithm>
#include <numeric>

namespace {

QByteArray bytesOf(const std::string &data)
{
    return QByteArray(data.data(), static_cast<qsizetype>(data.size()));
}

std::string dataOf(const QMimeData *pasteboard, const char *type)
{
    const QByteArray bytes = pasteboard ? pasteboard->data(QString::fromLatin1(type)) : QByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The first of the two types the pasteboard offers: a program that offers both means the first.
const char *firstType(const QMimeData *pasteboard)
{
    if (!pasteboard)
        return nullptr;
    for (const QString &format : pasteboard->formats()) {
        if (format == QLatin1String(ModulesPasteboardType))
            return ModulesPasteboardType;
        if (format == QLatin1String(EventsPasteboardType))
            return EventsPasteboardType;
    }
    return nullptr;
}

// The document whose outline the rows are dragged from; none for a drag from outside this
// application.
Modules *documentOf(VekNSOutlineView *source)
{
    auto *dragging = source ? dynamic_cast<ModulesClipboard *>(source->dragSource()) : nullptr;
    return dragging ? &dragging->owner() : nullptr;
}

}  // namespace

ModulesClipboard::ModulesClipboard(Modules &shown) : document(shown)
{
}

bool ModulesClipboard::copyValid()
{
    const CopySelection selection = ::copyValid(document.outlineSource().outlineRows());
    dragCutCopyModules = selection.modules;
    dragCutCopyEvents = selection.events;
    return selection.valid;
}

void ModulesClipboard::copy(QObject *)
{
    copyValid();
    auto *pasteboard = new QMimeData;
    const std::vector<Module> &modules = document.content().modules();
    const std::vector<SelectedItem> selected = document.outlineSource().selectedOutlineRows();
    if (dragCutCopyModules)
        pasteboard->setData(ModulesPasteboardType, bytesOf(modulesClipboardData(copiedModules(modules, selected))));
    else
        pasteboard->setData(EventsPasteboardType, bytesOf(eventsClipboardData(copiedEvents(modules, selected))));
    QApplication::clipboard()->setMimeData(pasteboard);
}

void ModulesClipboard::cut(QObject *)
{
    const DocumentContent::NamedChange change(document.content(), tr("Cut"));
    copy();
    document.editing().deleteSelection();
}

void ModulesClipboard::paste(QObject *)
{
    const DocumentContent::NamedChange change(document.content(), tr("Paste"));
    const QMimeData *pasteboard = QApplication::clipboard()->mimeData();
    const char *type = firstType(pasteboard);
    if (!type)
        return;
    VekNSOutlineView &outline = *document.outline();
    // The clipboard holds its rows from the last up: reversed, the block lands in the order the
    // rows were shown, where one pasted row would go.
    int last = -1;
    if (type == ModulesPasteboardType) {
        const auto modules = modulesFromClipboardData(dataOf(pasteboard, type));
        if (!modules)
            return;  // not what this application puts there
        document.editing().insertModules(std::vector<Module>(modules->rbegin(), modules->rend()));
        // The pasted rows are selected, the modules' events with them where they are open.
        const int first = outline.selectedRow();
        std::vector<int> pasted(static_cast<std::size_t>(pastedRowCount(*modules)));
        std::iota(pasted.begin(), pasted.end(), first);
        outline.selectRows(pasted, true);
        last = std::min(first + static_cast<int>(pasted.size()), outline.numberOfRows()) - 1;
    } else {
        const auto events = eventsFromClipboardData(dataOf(pasteboard, type));
        if (!events || document.content().modules().empty())
            return;
        document.editing().insertEvents(std::vector<Event>(events->rbegin(), events->rend()));
        last = outline.selectedRow();
    }
    if (last >= 0)
        outline.scrollTo(outline.outlineModel()->indexOf(outline.itemAtRow(last)));
}

bool ModulesClipboard::outlineViewWriteItemsToPasteboard(const std::vector<OutlineItem> &items, QMimeData *pasteboard)
{
    dragCutCopyModules = dragCutCopyEvents = false;
    for (const OutlineItem &item : items)
        (item.isModule() ? dragCutCopyModules : dragCutCopyEvents) = true;
    if (dragCutCopyModules && dragCutCopyEvents)
        return false;
    if (dragCutCopyModules) {
        std::vector<int> modules;
        for (auto item = items.rbegin(); item != items.rend(); ++item)
            modules.push_back(item->module);
        pasteboard->setData(ModulesPasteboardType, bytesOf(modulesDragData(modules)));
    } else {
        std::vector<DraggedEvent> events;
        for (auto item = items.rbegin(); item != items.rend(); ++item)
            events.push_back({item->event, item->module});
        pasteboard->setData(EventsPasteboardType, bytesOf(eventsDragData(events)));
    }
    draggingModules = dragCutCopyModules;
    return true;
}

bool ModulesClipboard::outlineViewValidateDropProposedItemProposedChildIndex(const QMimeData *pasteboard,
                                                                             VekNSOutlineView *source, OutlineItem *parent,
                                                                             int *childIndex)
{
    const char *type = firstType(pasteboard);
    if (!type || !documentOf(source))
        return false;
    const DraggedKind kind = type == ModulesPasteboardType ? DraggedKind::Modules : DraggedKind::Events;
    const DropProposal proposed {parent->module, parent->module >= 0 && !parent->isModule(), *childIndex};
    const bool expanded = parent->module >= 0 && document.outline()->isItemExpanded({parent->module, -1});
    const auto drop = validateDrop(kind, proposed, expanded, static_cast<int>(document.content().modules().size()));
    if (!drop)
        return false;
    *parent = drop->parentModule < 0 ? OutlineItem {} : OutlineItem {drop->parentModule, -1};
    *childIndex = drop->childIndex;
    return true;
}

bool ModulesClipboard::outlineViewAcceptDropItemChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                           const OutlineItem &parent, int childIndex)
{
    Modules *from = documentOf(source);
    const char *type = firstType(pasteboard);
    if (!from || !type)
        return false;
    // A drop between two windows is one step in each.
    const DocumentContent::NamedChange change(document.content(), tr("Drag"));
    const DocumentContent::NamedChange changeThere(from->content(), tr("Drag"));
    document.editorBinding().saveEventData();
    bool changed = false;
    if (type == ModulesPasteboardType) {
        const auto dragged = modulesFromDragData(dataOf(pasteboard, type));
        if (!dragged)
            return false;
        changed = acceptModules(*dragged, *from, childIndex);
    } else {
        const auto dragged = eventsFromDragData(dataOf(pasteboard, type));
        if (!dragged || parent.module < 0)
            return false;
        changed = acceptEvents(*dragged, *from, parent.module, childIndex);
    }
    if (from != &document) {
        from->outlineSource().reloadAndFixExpanded();
        from->updateChangeCount();
    }
    draggingModules = false;
    if (changed)
        document.updateChangeCount();
    return true;
}

// Within the document, the modules move as one list; from another, each is taken there and put
// here, the last row first, so that both documents' indices stay right.
bool ModulesClipboard::acceptModules(const std::vector<int> &dragged, Modules &from, int childIndex)
{
    std::vector<Module> modules = document.content().modules();
    int first = childIndex;
    bool changed = true;
    if (&from == &document) {
        first = moveWithinList(modules, dragged, childIndex);
        changed = modules != document.content().modules();
    } else {
        std::vector<Module> theirs = from.content().modules();
        for (const int k : dragged) {
            modules.insert(modules.begin() + childIndex, theirs[static_cast<std::size_t>(k)]);
            theirs.erase(theirs.begin() + k);
        }
        from.content().setModules(std::move(theirs));
    }
    document.content().setModules(std::move(modules));
    document.outlineSource().reloadAndFixExpanded();
    document.outline()->deselectAll();  // lets the editor leave its event, whose place the move has changed
    std::vector<int> moved;
    for (int module = first; module < first + static_cast<int>(dragged.size()); ++module)
        moved.push_back(document.outline()->rowForItem({module, -1}));
    document.outline()->selectRows(moved, false);
    return changed;
}

bool ModulesClipboard::acceptEvents(const std::vector<DraggedEvent> &dragged, Modules &from, int parentModule, int childIndex)
{
    const EventDrop drop = planEventDrop(document.content().modules(), parentModule, childIndex, dragged,
                                         &from == &document ? nullptr : &from.content().modules());
    document.content().setModules(drop.modules);
    if (&from != &document) {
        std::vector<Module> theirs = from.content().modules();
        for (const DraggedEvent &gone : drop.removals) {
            std::vector<Event> &events = theirs[static_cast<std::size_t>(gone.moduleIndex)].events;
            events.erase(events.begin() + gone.eventIndex);
        }
        from.content().setModules(std::move(theirs));
    }
    document.outlineSource().reloadAndFixExpanded();
    VekNSOutlineView &outline = *document.outline();
    outline.deselectAll();
    std::vector<int> moved(static_cast<std::size_t>(drop.count));
    std::iota(moved.begin(), moved.end(), outline.rowForItem({parentModule, -1}) + 1 + drop.first);
    outline.selectRows(moved, false);
    return drop.changed;
}

void ModulesClipboard::draggingDone()
{
    draggingModules = false;
}
