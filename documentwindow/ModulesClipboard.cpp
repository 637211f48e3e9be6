// Modules and events moving by the clipboard and by dragging rows, within a window and between
// windows. A module travels with its events; events travel only between the events of a module.

#include "document/DragAndDrop.h"
#include "document/InsertPlan.h"
#include "document/Pasteboard.h"
#include "document/ModuleCells.h"
#include "documentwindow/Modules.h"
#include "widgets/OutlineModel.h"

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

}  // namespace

void Modules::copy(QObject *)
{
    copyValid();
    auto *pasteboard = new QMimeData;
    const std::vector<SelectedItem> selected = selectedOutlineRows();
    if (dragCutCopyModules)
        pasteboard->setData(ModulesPasteboardType, bytesOf(modulesClipboardData(copiedModules(modulesArray, selected))));
    else
        pasteboard->setData(EventsPasteboardType, bytesOf(eventsClipboardData(copiedEvents(modulesArray, selected))));
    QApplication::clipboard()->setMimeData(pasteboard);
}

void Modules::cut(QObject *)
{
    const NamedChange change(*this, tr("Cut"));
    copy();
    deleteSelection();
}

void Modules::paste(QObject *)
{
    const NamedChange change(*this, tr("Paste"));
    const QMimeData *pasteboard = QApplication::clipboard()->mimeData();
    const char *type = firstType(pasteboard);
    if (!type)
        return;
    // The clipboard holds its rows from the last up: reversed, the block lands in the order the
    // rows were shown, where one pasted row would go.
    int last = -1;
    if (type == ModulesPasteboardType) {
        const auto modules = modulesFromClipboardData(dataOf(pasteboard, type));
        if (!modules)
            return;  // not what this application puts there
        insertModules(std::vector<Module>(modules->rbegin(), modules->rend()));
        // The pasted rows are selected, the modules' events with them where they are open.
        const int first = modulesOutline->selectedRow();
        std::vector<int> pasted(static_cast<std::size_t>(pastedRowCount(*modules)));
        std::iota(pasted.begin(), pasted.end(), first);
        modulesOutline->selectRows(pasted, true);
        last = std::min(first + static_cast<int>(pasted.size()), modulesOutline->numberOfRows()) - 1;
    } else {
        const auto events = eventsFromClipboardData(dataOf(pasteboard, type));
        if (!events || modulesArray.empty())
            return;
        insertEvents(std::vector<Event>(events->rbegin(), events->rend()));
        last = modulesOutline->selectedRow();
    }
    if (last >= 0)
        modulesOutline->scrollTo(modulesOutline->outlineModel()->indexOf(modulesOutline->itemAtRow(last)));
}

bool Modules::outlineViewWriteItemsToPasteboard(const std::vector<OutlineItem> &items, QMimeData *pasteboard)
{
    dragCutCopyModules = dragCutCopyEvents = false;
    for (auto item = items.rbegin(); item != items.rend(); ++item)
        (item->isModule() ? dragCutCopyModules : dragCutCopyEvents) = true;
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

bool Modules::outlineViewValidateDropProposedItemProposedChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                                    OutlineItem *parent, int *childIndex)
{
    const char *type = firstType(pasteboard);
    // Drags from outside this application have no document behind them.
    if (!type || !source || !dynamic_cast<Modules *>(source->dataSource()))
        return false;
    const DraggedKind kind = type == ModulesPasteboardType ? DraggedKind::Modules : DraggedKind::Events;
    const DropProposal proposed {parent->module, parent->module >= 0 && !parent->isModule(), *childIndex};
    const bool expanded = parent->module >= 0 && modulesOutline->isItemExpanded({parent->module, -1});
    const auto drop = validateDrop(kind, proposed, expanded, static_cast<int>(modulesArray.size()));
    if (!drop)
        return false;
    *parent = drop->parentModule < 0 ? OutlineItem {} : OutlineItem {drop->parentModule, -1};
    *childIndex = drop->childIndex;
    return true;
}

bool Modules::outlineViewAcceptDropItemChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                  const OutlineItem &parent, int childIndex)
{
    auto *from = dynamic_cast<Modules *>(source->dataSource());
    const char *type = firstType(pasteboard);
    if (!from || !type)
        return false;
    // A drop between two windows is one step in each.
    const NamedChange change(*this, tr("Drag"));
    const NamedChange changeThere(*from, tr("Drag"));
    saveEventData();
    bool changed = true;
    if (type == ModulesPasteboardType) {
        const auto dragged = modulesFromDragData(dataOf(pasteboard, type));
        if (!dragged)
            return false;
        const int n = static_cast<int>(dragged->size());
        int first = childIndex;
        if (from == this) {
            const std::vector<Module> before = modulesArray;
            first = moveWithinList(modulesArray, *dragged, childIndex);
            changed = modulesArray != before;
        } else {
            for (const int k : *dragged) {
                modulesArray.insert(modulesArray.begin() + childIndex, from->moduleAtIndexForDrag(k));
                modulesOutlineArray.push_back(static_cast<int>(modulesOutlineArray.size()));
                from->deleteModuleAtIndexForDrag(k);
            }
        }
        reloadAndFixExpanded();
        modulesOutline->deselectAll();  // lets the editor leave its event, whose place the move has changed
        std::vector<int> moved;
        for (int module = first; module < first + n; ++module)
            moved.push_back(modulesOutline->rowForItem({module, -1}));
        modulesOutline->selectRows(moved, false);
    } else {
        const auto dragged = eventsFromDragData(dataOf(pasteboard, type));
        if (!dragged || parent.module < 0)
            return false;
        const EventDrop drop = planEventDrop(modulesArray, parent.module, childIndex, *dragged,
                                             from == this ? nullptr : &from->modulesArray);
        modulesArray = drop.modules;
        for (const DraggedEvent &gone : drop.removals)
            from->deleteEventAtIndexForDragModuleIndex(gone.eventIndex, gone.moduleIndex);
        changed = drop.changed;
        reloadAndFixExpanded();
        modulesOutline->deselectAll();
        std::vector<int> moved(static_cast<std::size_t>(drop.count));
        std::iota(moved.begin(), moved.end(), modulesOutline->rowForItem({parent.module, -1}) + 1 + drop.first);
        modulesOutline->selectRows(moved, false);
    }
    if (from != this) {
        from->reloadAndFixExpanded();
        from->updateChangeCount(true);
    }
    draggingModules = false;
    if (changed)
        updateChangeCount(true);
    return true;
}

void Modules::draggingDone()
{
    draggingModules = false;
}

const Module &Modules::moduleAtIndexForDrag(int index) const
{
    return modulesArray[index];
}

void Modules::deleteModuleAtIndexForDrag(int index)
{
    modulesArray.erase(modulesArray.begin() + index);
    modulesOutlineArray.pop_back();
}

const Event &Modules::eventAtIndexForDragModuleIndex(int eventIndex, int moduleIndex) const
{
    return modulesArray[moduleIndex].events[eventIndex];
}

void Modules::deleteEventAtIndexForDragModuleIndex(int eventIndex, int moduleIndex)
{
    Module module = modulesArray[moduleIndex];
    module.events.erase(module.events.begin() + eventIndex);
    replaceModule(moduleIndex, module);
}
