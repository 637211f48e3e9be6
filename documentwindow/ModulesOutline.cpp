// A module document as the outline's data source and delegate: rows to modules and events, the
// cells' values and edits, and expansion.

#include "document/EventDescription.h"
#include "document/ModuleCells.h"
#include "documentwindow/Modules.h"
#include "widgets/FormatterDelegate.h"

#include <QApplication>

namespace {

std::string columnKey(int column)
{
    return Modules::ColumnIdentifiers.value(column).toStdString();
}

}  // namespace

int Modules::outlineViewNumberOfChildrenOfItem(const OutlineItem *item) const
{
    if (!item)
        return static_cast<int>(modulesOutlineArray.size());
    if (item->isModule())
        return static_cast<int>(modulesArray[item->module].events.size());
    return 0;
}

QVariant Modules::outlineViewObjectValueForTableColumnByItem(int column, const OutlineItem &item) const
{
    const Module &module = modulesArray[item.module];
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

void Modules::outlineViewSetObjectValueForTableColumnByItem(const QVariant &value, int column, const OutlineItem &item)
{
    const NamedChange change(*this, tr("Typing"));
    Module module = modulesArray[item.module];
    if (!item.isModule()) {
        if (!storeEventText(module, item.event, value.toString().toStdString()))
            return;
        replaceModule(item.module, module);
        modulesOutline->viewport()->update();
        loadEventData();
        updateChangeCount(true);
        return;
    }
    const ModuleCellValue cell = value.typeId() == QMetaType::LongLong ? ModuleCellValue {value.toLongLong()}
                                                                       : ModuleCellValue {value.toString().toStdString()};
    const ModuleCellEdit edit = storeModuleCell(module, columnKey(column), cell);
    if (!edit.changed)
        return;
    replaceModule(item.module, module);
    if (edit.eventsBroughtIntoLine)
        modulesOutline->viewport()->update();
    if (edit.runModuleChanged)
        moduleChanged();
    updateChangeCount(true);
}

bool Modules::outlineViewShouldEditTableColumnItem(int column, const OutlineItem &item) const
{
    return item.isModule() || column == FormatterDelegate::NameColumn;
}

bool Modules::outlineViewShouldExpandItem(const OutlineItem &item)
{
    // Modules dragged over a closed module do not open it; the document's own reload does.
    if (draggingModules && !restoringExpansion)
        return false;
    return storeExpansion(item, true);
}

bool Modules::outlineViewShouldCollapseItem(const OutlineItem &item)
{
    return storeExpansion(item, false);
}

// "X" follows every request; during expand or collapse all the answer is yes, and with the Alt
// key held one module's triangle opens or closes them all.
bool Modules::storeExpansion(const OutlineItem &item, bool expanded)
{
    Module module = modulesArray[item.module];
    module.expanded = expanded;
    replaceModule(item.module, module);
    if (expanded ? expandingAll : collapsingAll)
        return true;
    if (!restoringExpansion && changesUnderWay == 0)
        history.setExpanded(static_cast<std::size_t>(item.module), expanded);
    if (QApplication::keyboardModifiers() & Qt::AltModifier) {
        if (expanded)
            expandAll();
        else
            collapseAll();
        return false;
    }
    return true;
}

std::vector<OutlineRow> Modules::outlineRows() const
{
    std::vector<OutlineRow> rows;
    const int count = modulesOutline->numberOfRows();
    rows.reserve(count);
    for (int row = 0; row < count; ++row)
        rows.push_back({modulesOutline->levelForRow(row), modulesOutline->isRowSelected(row)});
    return rows;
}

int Modules::moduleIndexForOutlineRow(int row) const
{
    return ::moduleIndexForOutlineRow({[this](int r) { return modulesOutline->levelForRow(r); },
                                       [this](int r) { return modulesOutline->itemAtRow(r).module; }},
                                      row);
}

int Modules::eventIndexForOutlineRow(int row) const
{
    return ::eventIndexForOutlineRow({[this](int r) { return modulesOutline->levelForRow(r); }, {}}, row);
}

void Modules::reloadAndFixExpanded()
{
    const std::vector<int> selected = modulesOutline->selectedRows();
    const QSignalBlocker quiet(modulesOutline->selectionModel());
    modulesOutline->reloadData();
    restoringExpansion = true;
    for (int index = static_cast<int>(modulesArray.size()) - 1; index >= 0; --index) {
        if (modulesArray[index].expanded)
            modulesOutline->expandItem({index, -1});
        else
            modulesOutline->collapseItem({index, -1});
    }
    restoringExpansion = false;
    // A reload keeps the selected row numbers, as far as there still are rows.
    modulesOutline->selectRows(std::vector<int>(selected.rbegin(), selected.rend()), false);
    modulesOutline->viewport()->update();
}

void Modules::replaceModule(int index, const Module &module)
{
    modulesArray[index] = module;
}

void Modules::endEditingInWindow()
{
    modulesOutline->endEditing();
}

