#pragma once

#include "document/OutlineSelection.h"
#include "document/SelectionEdits.h"
#include "widgets/OutlineDataSource.h"

#include <QCoreApplication>
#include <vector>

class Modules;
class QObject;
class VekNSOutlineView;

// A module document as the outline's data source and delegate: rows to modules and events, the
// cells' values and edits, and which modules are open.
class ModulesOutline : public OutlineDataSource, public OutlineDelegate {
    Q_DECLARE_TR_FUNCTIONS(ModulesOutline)
public:
    explicit ModulesOutline(Modules &document);

    int outlineViewNumberOfChildrenOfItem(const OutlineItem *item) const override;
    QVariant outlineViewObjectValueForTableColumnByItem(int column, const OutlineItem &item) const override;
    void outlineViewSetObjectValueForTableColumnByItem(const QVariant &value, int column, const OutlineItem &item) override;
    bool outlineViewShouldEditTableColumnItem(int column, const OutlineItem &item) const override;
    bool outlineViewShouldExpandItem(const OutlineItem &item) override;
    bool outlineViewShouldCollapseItem(const OutlineItem &item) override;
    void outlineViewSelectionDidChange() override;

    int moduleIndexForOutlineRow(int row) const;
    int eventIndexForOutlineRow(int row) const;
    std::vector<OutlineRow> outlineRows() const;
    // The selected rows, top to bottom, as modules and events.
    std::vector<SelectedItem> selectedOutlineRows() const;
    // The rows again from the document, each module open or closed as it says; the selected row
    // numbers stay, as far as there still are rows.
    void reloadAndFixExpanded();
    void expandAll(QObject *sender = nullptr);
    void collapseAll(QObject *sender = nullptr);

private:
    bool storeExpansion(const OutlineItem &item, bool expanded);
    void setEveryModuleExpanded(bool expanded);
    VekNSOutlineView &view() const;

    Modules &document;
    bool expandingAll = false;
    bool collapsingAll = false;
    bool restoringExpansion = false;
};
