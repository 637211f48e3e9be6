#include "documentwindow/ModulesOutline.h"

#include "document/EventDescription.h"
#include "document/ModuleCells.h"
#include "documentwindow/Modules.h"
#include "widgets/FormatterDelegate.h"
#include "widgets/VekNSOutlineView.h"

#include <QApplication>

namespace {

std::string columnKey(int column)
{
    return Modules::ColumnIdentifiers.value(column).toStdString();
}

}  // namespace

ModulesOutline::ModulesOutline(Modules &shown) : document(shown)
{
}

VekNSOutlineView &ModulesOutline::view() const
{
    return *document.outline();
}

int ModulesOutline::outlineViewNumberOfChildrenOfItem(const OutlineItem *item) const
{
    const DocumentContent &content = document.content();
    if (!item)
        return static_cast<int>(content.outlineItems().size());
    if (item->isModule())
        return static_cast<int>(content.modules()[item->module].events.size());
    return 0;
}

QVariant ModulesOutline::outlineViewObjectValueForTableColumnByItem(int column, const OutlineItem &item) const
{
    const Module &module = document.content().modules()[item.module];
    if (!item.isModule())
        return column == FormatterDelegate::NameColumn
            ? QString::fromStdString(eventDescription(module.events[item.event]))
            : QString();
    switch (column) {
    case FormatterDelegate::HouseColumn:
        return qlonglong(module.houseCode);
    case FormatterDelegate::UnitColumn:
        return qlonglong(module.unit);
    case FormatterDelegate::TypeColumn:
        return qlonglong(module.type);
    default:
        return QString::fromStdString(module.name);
    }
}

void ModulesOutline::outlineViewSetObjectValueForTableColumnByItem(const QVariant &value, int column, const OutlineItem &item)
{
    DocumentContent &content = document.content();
    const DocumentContent::NamedChange change(content, tr("Typing"));
    Module module = content.modules()[item.module];
    if (!item.isModule()) {
        if (!storeEventText(module, item.event, value.toString().toStdString()))
            return;
        content.replaceModule(item.module, module);
        view().viewport()->update();
        document.editorBinding().loadEventData();
        document.updateChangeCount();
        return;
    }
    const ModuleCellValue cell = value.typeId() == QMetaType::LongLong ? ModuleCellValue {value.toLongLong()}
                                                                       : ModuleCellValue {value.toString().toStdString()};
    const ModuleCellEdit edit = storeModuleCell(module, columnKey(column), cell);
    if (!edit.changed)
        return;
    content.replaceModule(item.module, module);
    if (edit.eventsBroughtIntoLine)
        view().viewport()->update();
    if (edit.runModuleChanged)
        document.editorBinding().moduleChanged();
    document.updateChangeCount();
}

bool ModulesOutline::outlineViewShouldEditTableColumnItem(int column, const OutlineItem &item) const
{
    return item.isModule() || column == FormatterDelegate::NameColumn;
}

bool ModulesOutline::outlineViewShouldExpandItem(const OutlineItem &item)
{
    // Modules dragged over a closed module do not open it; the document's own reload does.
    if (document.clipboard().isDraggingModules() && !restoringExpansion)
        return false;
    return storeExpansion(item, true);
}

bool ModulesOutline::outlineViewShouldCollapseItem(const OutlineItem &item)
{
    return storeExpansion(item, false);
}

// The selection changed. The current state of the history keeps it, unless a command is
// under way: then it belongs to the state after the command.
void ModulesOutline::outlineViewSelectionDidChange()
{
    document.editorBinding().applySelection();
    DocumentContent &content = document.content();
    if (!content.isChanging())
        content.history().setSelection(view().selectedRows());
}

// "X" follows every request; during expand or collapse all the answer is yes, and with the Alt
// key held one module's triangle opens or closes them all.
bool ModulesOutline::storeExpansion(const OutlineItem &item, bool expanded)
{
    DocumentContent &content = document.content();
    Module module = content.modules()[item.module];
    module.expanded = expanded;
    content.replaceModule(item.module, module);
    if (expanded ? expandingAll : collapsingAll)
        return true;
    if (!restoringExpansion && !content.isChanging())
        content.history().setExpanded(static_cast<std::size_t>(item.module), expanded);
    if (QApplication::keyboardModifiers() & Qt::AltModifier) {
        setEveryModuleExpanded(expanded);
        return false;
    }
    return true;
}

void ModulesOutline::expandAll(QObject *)
{
    setEveryModuleExpanded(true);
}

void ModulesOutline::collapseAll(QObject *)
{
    setEveryModuleExpanded(false);
}

// The flags make the outline's expand and collapse questions answer yes during the reload, so
// that the Alt-key rule is not applied again.
void ModulesOutline::setEveryModuleExpanded(bool expanded)
{
    DocumentContent &content = document.content();
    const DocumentContent::NamedChange change(content, expanded ? tr("Expand All") : tr("Collapse All"));
    std::vector<Module> modules = content.modules();
    for (Module &module : modules)
        module.expanded = expanded;
    content.setModules(std::move(modules));
    (expanded ? expandingAll : collapsingAll) = true;
    reloadAndFixExpanded();
    expandingAll = collapsingAll = false;
    document.updateChangeCount();
}

std::vector<OutlineRow> ModulesOutline::outlineRows() const
{
    std::vector<OutlineRow> rows;
    const int count = view().numberOfRows();
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        rows.push_back({view().levelForRow(row), view().isRowSelected(row)});
    return rows;
}

std::vector<SelectedItem> ModulesOutline::selectedOutlineRows() const
{
    const std::vector<int> rows = view().selectedRows();  // from the last row up
    std::vector<SelectedItem> selected;
    selected.reserve(rows.size());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const OutlineItem item = view().itemAtRow(*row);
        selected.push_back({item.module, item.event});
    }
    return selected;
}

int ModulesOutline::moduleIndexForOutlineRow(int row) const
{
    return ::moduleIndexForOutlineRow({[this](int r) { return view().levelForRow(r); },
                                       [this](int r) { return view().itemAtRow(r).module; }},
                                      row);
}

int ModulesOutline::eventIndexForOutlineRow(int row) const
{
    return ::eventIndexForOutlineRow({[this](int r) { return view().levelForRow(r); }, {}}, row);
}

void ModulesOutline::reloadAndFixExpanded()
{
    VekNSOutlineView &outline = view();
    const std::vector<int> selected = outline.selectedRows();
    const QSignalBlocker quiet(outline.selectionModel());
    outline.reloadData();
    restoringExpansion = true;
    const std::vector<Module> &modules = document.content().modules();
    for (int index = static_cast<int>(modules.size()) - 1; index >= 0; --index) {
        if (modules[static_cast<std::size_t>(index)].expanded)
            outline.expandItem({index, -1});
        else
            outline.collapseItem({index, -1});
    }
    restoringExpansion = false;
    outline.selectRows(std::vector<int>(selected.rbegin(), selected.rend()), false);
    outline.viewport()->update();
}
