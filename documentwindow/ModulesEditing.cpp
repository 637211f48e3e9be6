#include "documentwindow/ModulesEditing.h"

#include "document/InsertPlan.h"
#include "document/ModuleCells.h"
#include "document/OutlineSelection.h"
#include "document/Pasteboard.h"
#include "documentwindow/Modules.h"
#include "widgets/FormatterDelegate.h"
#include "widgets/VekNSOutlineView.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

ModulesEditing::ModulesEditing(Modules &shown) : document(shown)
{
}

void ModulesEditing::insertModules(const std::vector<Module> &modules)
{
    if (modules.empty())
        return;
    VekNSOutlineView &outline = *document.outline();
    DocumentContent &content = document.content();
    const int selectedRow = outline.selectedRow();
    const bool soleModuleRow = outline.numberOfSelectedRows() == 1 && outline.levelForRow(selectedRow) == 0;
    const int place = moduleInsertPlace(
        static_cast<int>(content.modules().size()),
        soleModuleRow ? std::optional<int>(document.outlineSource().moduleIndexForOutlineRow(selectedRow)) : std::nullopt,
        outline.editedRow() != -1);
    outline.endEditing();
    document.editorBinding().saveEventData();
    std::vector<Module> changed = content.modules();
    std::vector<Module> block;
    block.reserve(modules.size());
    for (const Module &module : modules)
        block.push_back(moduleInLine(module));
    changed.insert(changed.begin() + place, block.begin(), block.end());
    content.setModules(std::move(changed));
    document.outlineSource().reloadAndFixExpanded();
    outline.selectRowByExtendingSelection(outline.rowForItem({place, -1}), false);
    document.updateChangeCount();
}

void ModulesEditing::newModule(QObject *)
{
    const DocumentContent::NamedChange change(document.content(), tr("New Module"));
    insertModules({Module {}});
    VekNSOutlineView &outline = *document.outline();
    outline.editColumnRowWithEventSelect(FormatterDelegate::NameColumn, outline.selectedRow(), true);
}

void ModulesEditing::insertEvents(const std::vector<Event> &events)
{
    DocumentContent &content = document.content();
    if (content.modules().empty() || events.empty())
        return;  // no module to hold it
    VekNSOutlineView &outline = *document.outline();
    const EventInsertPlan plan = planEventInsert(
        {[&outline](int r) { return outline.levelForRow(r); }, [&outline](int r) { return outline.itemAtRow(r).module; }},
        outline.selectedRow(),
        [&content](int module) { return static_cast<int>(content.modules()[static_cast<std::size_t>(module)].events.size()); });
    Module changed = content.modules()[static_cast<std::size_t>(plan.module)];
    std::vector<Event> block;
    block.reserve(events.size());
    for (const Event &event : events)
        block.push_back(eventInLineWith(changed, event));
    changed.events.insert(changed.events.begin() + plan.position, block.begin(), block.end());
    content.replaceModule(plan.module, changed);
    outline.endEditing();
    document.outlineSource().reloadAndFixExpanded();
    outline.expandItem({plan.module, -1});
    outline.selectRowByExtendingSelection(plan.selectedRow(), false);
    EventEditorBinding &editor = document.editorBinding();
    editor.setCurrent(plan.module, plan.position);
    editor.loadEventData();
    document.updateChangeCount();
}

void ModulesEditing::newEvent(QObject *)
{
    const DocumentContent::NamedChange change(document.content(), tr("New Event"));
    insertEvents({document.editorBinding().newEventDefaults()});
    document.outline()->setFocus();
}

void ModulesEditing::deleteSelection(QObject *)
{
    DocumentContent &content = document.content();
    const DocumentContent::NamedChange change(content, tr("Delete"));
    VekNSOutlineView &outline = *document.outline();
    outline.endEditing();
    const QSignalBlocker quiet(outline.selectionModel());
    content.setModules(modulesAfterDelete(content.modules(), document.outlineSource().selectedOutlineRows()));
    document.editorBinding().leaveEvent();
    outline.deselectAll();
    document.outlineSource().reloadAndFixExpanded();
    document.outlineSource().outlineViewSelectionDidChange();
    document.updateChangeCount();
}

void ModulesEditing::edit(QObject *)
{
    VekNSOutlineView &outline = *document.outline();
    outline.editColumnRowWithEventSelect(FormatterDelegate::NameColumn, outline.selectedRow(), true);
}

void ModulesEditing::selectAll(QObject *)
{
    document.outline()->selectAll();
    document.outline()->setFocus();
}

void ModulesEditing::endEdit(QObject *)
{
    document.outline()->endEditing();
    document.outline()->setFocus();
}

// What is being typed is a step of its own, taken back first.
void ModulesEditing::undo(QObject *)
{
    document.commitEditing();
    UndoHistory &history = document.content().history();
    if (history.canUndo())
        applySnapshot(history.undo());
}

void ModulesEditing::redo(QObject *)
{
    document.commitEditing();
    UndoHistory &history = document.content().history();
    if (history.canRedo())
        applySnapshot(history.redo());
}

// A cell being typed in is left open under the Edit menu: its typing is the step Undo would
// take back first, and nothing is there to redo once it is stored.
QString ModulesEditing::undoActionName() const
{
    if (document.outline()->cellTextTyped())
        return tr("Typing");
    return QString::fromStdString(document.content().history().undoName());
}

QString ModulesEditing::redoActionName() const
{
    if (document.outline()->cellTextTyped())
        return {};
    return QString::fromStdString(document.content().history().redoName());
}

// A state of the history shown: its records, its expansion and its selection.
void ModulesEditing::applySnapshot(const DocumentSnapshot &snapshot)
{
    VekNSOutlineView &outline = *document.outline();
    outline.endEditing();
    document.editorBinding().leaveEvent();
    document.content().show(snapshot);
    {
        const QSignalBlocker quiet(outline.selectionModel());
        document.outlineSource().reloadAndFixExpanded();
        outline.selectRows(snapshot.selectedRows, false);
    }
    outline.viewport()->update();
    document.editorBinding().applySelection();
    document.showChange();
}

bool ModulesEditing::validateMenuItem(EditCommand command)
{
    const int selected = document.outline()->numberOfSelectedRows();
    switch (command) {
    case EditCommand::Undo:
        return document.outline()->cellTextTyped() || document.content().history().canUndo();
    case EditCommand::Redo:
        return !document.outline()->cellTextTyped() && document.content().history().canRedo();
    case EditCommand::Delete:
        return selected > 0;
    case EditCommand::Cut:
    case EditCommand::Copy:
        return selected > 0 && document.clipboard().copyValid();
    case EditCommand::Paste: {
        const QMimeData *pasteboard = QApplication::clipboard()->mimeData();
        return pasteboard && pasteAllowed(pasteboard->hasFormat(QLatin1String(ModulesPasteboardType)),
                                          pasteboard->hasFormat(QLatin1String(EventsPasteboardType)), selected);
    }
    case EditCommand::SelectAll:
        return document.outline()->numberOfRows() > 0;
    }
    return false;
}
