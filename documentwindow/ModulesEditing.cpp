// A module document's editing commands: new modules and events where the selection says, delete,
// edit, expand and collapse all, and which Edit menu commands the selection allows.

#include "document/InsertPlan.h"
#include "document/ModuleCells.h"
#include "document/OutlineSelection.h"
#include "documentwindow/Modules.h"
#include "widgets/FormatterDelegate.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

void Modules::insertModules(const std::vector<Module> &modules)
{
    if (modules.empty())
        return;
    const int selectedRow = modulesOutline->selectedRow();
    const bool soleModuleRow = modulesOutline->numberOfSelectedRows() == 1 && modulesOutline->levelForRow(selectedRow) == 0;
    const int place = moduleInsertPlace(
        static_cast<int>(modulesArray.size()),
        soleModuleRow ? std::optional<int>(moduleIndexForOutlineRow(selectedRow)) : std::nullopt,
        modulesOutline->editedRow() != -1);
    endEditingInWindow();
    saveEventData();
    std::vector<Module> block;
    block.reserve(modules.size());
    for (const Module &module : modules)
        block.push_back(moduleInLine(module));
    modulesArray.insert(modulesArray.begin() + place, block.begin(), block.end());
    numberOutlineItems();
    reloadAndFixExpanded();
    modulesOutline->selectRowByExtendingSelection(modulesOutline->rowForItem({place, -1}), false);
    updateChangeCount(true);
}

void Modules::newModule(QObject *)
{
    const NamedChange change(*this, tr("New Module"));
    insertModules({Module {}});
    modulesOutline->editColumnRowWithEventSelect(FormatterDelegate::NameColumn, modulesOutline->selectedRow(), true);
}

void Modules::insertEvents(const std::vector<Event> &events)
{
    if (modulesArray.empty() || events.empty())
        return;  // no module to hold it
    const EventInsertPlan plan = planEventInsert(
        {[this](int r) { return modulesOutline->levelForRow(r); }, [this](int r) { return modulesOutline->itemAtRow(r).module; }},
        modulesOutline->selectedRow(), [this](int module) { return static_cast<int>(modulesArray[module].events.size()); });
    Module changed = modulesArray[plan.module];
    std::vector<Event> block;
    block.reserve(events.size());
    for (const Event &event : events)
        block.push_back(eventInLineWith(changed, event));
    changed.events.insert(changed.events.begin() + plan.position, block.begin(), block.end());
    replaceModule(plan.module, changed);
    endEditingInWindow();
    reloadAndFixExpanded();
    modulesOutline->expandItem({plan.module, -1});
    modulesOutline->selectRowByExtendingSelection(plan.selectedRow(), false);
    currentModuleIndex = plan.module;
    currentEventIndex = plan.position;
    loadEventData();
    updateChangeCount(true);
}

void Modules::newEvent(QObject *)
{
    const NamedChange change(*this, tr("New Event"));
    insertEvents({defaultEvent});
    modulesOutline->setFocus();
}

void Modules::deleteSelection(QObject *)
{
    const NamedChange change(*this, tr("Delete"));
    endEditingInWindow();
    const QSignalBlocker quiet(modulesOutline->selectionModel());
    modulesArray = modulesAfterDelete(modulesArray, selectedOutlineRows());
    numberOutlineItems();
    currentEventIndex = -1;
    modulesOutline->deselectAll();
    reloadAndFixExpanded();
    outlineViewSelectionDidChange();
    updateChangeCount(true);
}

std::vector<SelectedItem> Modules::selectedOutlineRows() const
{
    const std::vector<int> rows = modulesOutline->selectedRows();  // from the last row up
    std::vector<SelectedItem> selected;
    selected.reserve(rows.size());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const OutlineItem item = modulesOutline->itemAtRow(*row);
        selected.push_back({item.module, item.event});
    }
    return selected;
}

void Modules::edit(QObject *)
{
    modulesOutline->editColumnRowWithEventSelect(FormatterDelegate::NameColumn, modulesOutline->selectedRow(), true);
}

void Modules::selectAll(QObject *)
{
    modulesOutline->selectAll();
    modulesOutline->setFocus();
}

void Modules::endEdit(QObject *)
{
    modulesOutline->endEditing();
    modulesOutline->setFocus();
}

void Modules::expandAll(QObject *)
{
    setEveryModuleExpanded(true);
}

void Modules::collapseAll(QObject *)
{
    setEveryModuleExpanded(false);
}

// The flags make the outline's expand and collapse questions answer yes during the reload, so
// that the Alt-key rule is not applied again.
void Modules::setEveryModuleExpanded(bool expanded)
{
    const NamedChange change(*this, expanded ? tr("Expand All") : tr("Collapse All"));
    for (auto module = modulesArray.rbegin(); module != modulesArray.rend(); ++module)
        module->expanded = expanded;
    (expanded ? expandingAll : collapsingAll) = true;
    reloadAndFixExpanded();
    expandingAll = collapsingAll = false;
    updateChangeCount(true);
}

bool Modules::copyValid()
{
    const CopySelection selection = ::copyValid(outlineRows());
    dragCutCopyModules = selection.modules;
    dragCutCopyEvents = selection.events;
    return selection.valid;
}

bool Modules::validateMenuItem(EditCommand command)
{
    const int selected = modulesOutline->numberOfSelectedRows();
    switch (command) {
    case EditCommand::Undo:
        return history.canUndo();
    case EditCommand::Redo:
        return history.canRedo();
    case EditCommand::Delete:
        return selected > 0;
    case EditCommand::Cut:
    case EditCommand::Copy:
        return selected > 0 && copyValid();
    case EditCommand::Paste: {
        const QMimeData *pasteboard = QApplication::clipboard()->mimeData();
        return pasteboard && pasteAllowed(pasteboard->hasFormat(QStringLiteral("CP290 Modules")),
                                          pasteboard->hasFormat(QStringLiteral("CP290 Events")), selected);
    }
    case EditCommand::SelectAll:
        return modulesOutline->numberOfRows() > 0;
    }
    return false;
}

