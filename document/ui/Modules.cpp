#include "document/ui/Modules.h"

#include "document/EventDescription.h"
#include "document/InsertPlan.h"
#include "document/ModuleCells.h"
#include "document/ui/DeviceAccess.h"
#include "document/ui/DocumentController.h"
#include "document/ui/EventEditorView.h"
#include "document/ui/OutlinePrinting.h"
#include "document/ui/FormatterDelegate.h"
#include "widgets/OutlineModel.h"
#include "platform/DateTime.h"
#include "platform/qt/ContextHelp.h"
#include "platform/qt/SharedPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

const QStringList Modules::ColumnIdentifiers = {QStringLiteral("N"), QStringLiteral("C"), QStringLiteral("#"),
                                                QStringLiteral("T")};

namespace {

constexpr int DrawerContentWidth = 500;

const char *const WindowFrameKey = "CP290ModulesWindow";
const char *const OutlineColumnsKey = "CP290Outline";
const char *const LastModulesFileKey = "Last Modules File";

std::string columnKey(int column)
{
    return Modules::ColumnIdentifiers.value(column).toStdString();
}

// The window's buttons are reached with Tab but take no focus when clicked, so that a click acts
// on the outline as the user left it: New Module while a name is being typed sees the typing.
QPushButton *button(const QString &title, QWidget *parent)
{
    auto *pushButton = new QPushButton(title, parent);
    pushButton->setAutoDefault(false);
    pushButton->setFocusPolicy(Qt::TabFocus);
    return pushButton;
}

}  // namespace

Modules::Modules(QObject *parent) : QObject(parent)
{
}

Modules::~Modules()
{
    if (!thisWindow)
        return;
    thisWindow->removeEventFilter(this);
    delete thisWindow;
}

void Modules::windowControllerDidLoadNib()
{
    thisWindow = new QMainWindow();
    thisWindow->setAttribute(Qt::WA_DeleteOnClose);
    thisWindow->installEventFilter(this);
    connect(thisWindow, &QObject::destroyed, this, [this] { thisWindow = nullptr; });
    currentModuleIndex = -1;
    expandingAll = collapsingAll = false;

    auto *content = new QWidget(thisWindow);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(8, 8, 8, 8);
    modulesOutline = new VekNSOutlineView(ColumnIdentifiers, 0, content);
    modulesOutline->setObjectName(QStringLiteral("modulesOutline"));
    modulesOutline->setItemDelegate(new FormatterDelegate(modulesOutline));
    modulesOutline->outlineModel()->setColumnTitles({tr("Module or Event"), tr("House"), tr("Unit"), tr("Type")});
    modulesOutline->header()->setStretchLastSection(false);
    modulesOutline->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    modulesOutline->setColumnWidth(1, 50);
    modulesOutline->setColumnWidth(2, 100);
    modulesOutline->setColumnWidth(3, 90);
    modulesOutline->header()->restoreState(QSettings().value(OutlineColumnsKey).toByteArray());
    modulesOutline->setDataSource(this);
    modulesOutline->setOutlineDelegate(this);
    layout->addWidget(modulesOutline);

    auto *buttons = new QHBoxLayout();
    newModuleButton = button(tr("New Module"), content);
    newEventButton = button(tr("New Event"), content);
    deleteButton = button(tr("Delete"), content);
    editButton = button(tr("Edit"), content);
    endEditButton = button(tr("End Edit"), content);
    auto *expandButton = button(tr("Expand All"), content);
    auto *collapseButton = button(tr("Collapse All"), content);
    eventsButton = button(tr("Show Event Editor"), content);
    for (QPushButton *each : {newModuleButton, newEventButton, deleteButton, editButton, endEditButton})
        buttons->addWidget(each);
    buttons->addStretch();
    for (QPushButton *each : {expandButton, collapseButton, eventsButton})
        buttons->addWidget(each);
    layout->addLayout(buttons);

    // Switching the selected modules at once, and sending the whole document.
    auto *direct = new QHBoxLayout();
    onButton = button(tr("On"), content);
    offButton = button(tr("Off"), content);
    selectedBrightnessSlider = new QSlider(Qt::Horizontal, content);
    selectedBrightnessSlider->setRange(1, 9);
    selectedBrightnessSlider->setValue(9);
    selectedBrightnessSlider->setPageStep(1);
    selectedBrightnessSlider->setMaximumWidth(160);
    selectedBrightnessLabel = new QLabel(EventEditorView::brightnessText(9), content);
    selectedBrightnessLabel->setMinimumWidth(120);
    connect(selectedBrightnessSlider, &QSlider::valueChanged, this,
            [this](int level) { selectedBrightnessLabel->setText(EventEditorView::brightnessText(level)); });
    auto *repeatButton = button(tr("Repeat Counts..."), content);
    auto *sendButton = button(tr("Send to CP290"), content);
    QPushButton *helpButton = newHelpButton(QStringLiteral("Document Window"), content);
    setHelpAnchor(content, QStringLiteral("Document Window"));
    for (QWidget *each : std::initializer_list<QWidget *> {onButton, offButton, selectedBrightnessSlider, selectedBrightnessLabel})
        direct->addWidget(each);
    direct->addStretch();
    direct->addWidget(repeatButton);
    direct->addWidget(sendButton);
    direct->addWidget(helpButton);
    layout->addLayout(direct);
    connect(onButton, &QPushButton::clicked, this, [this] { on(onButton); });
    connect(offButton, &QPushButton::clicked, this, [this] { off(offButton); });
    connect(repeatButton, &QPushButton::clicked, this, [this, repeatButton] { performEvents(repeatButton); });
    connect(sendButton, &QPushButton::clicked, this, [this, sendButton] { sendEventsToCP290(sendButton); });
    connect(helpButton, &QPushButton::clicked, this, [this, helpButton] { showHelp(helpButton); });
    connect(newModuleButton, &QPushButton::clicked, this, [this] { newModule(newModuleButton); });
    connect(newEventButton, &QPushButton::clicked, this, [this] { newEvent(newEventButton); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteSelection(deleteButton); });
    connect(editButton, &QPushButton::clicked, this, [this] { edit(editButton); });
    connect(endEditButton, &QPushButton::clicked, this, [this] { endEdit(endEditButton); });
    connect(expandButton, &QPushButton::clicked, this, [this, expandButton] { expandAll(expandButton); });
    connect(collapseButton, &QPushButton::clicked, this, [this, collapseButton] { collapseAll(collapseButton); });
    connect(eventsButton, &QPushButton::clicked, this, [this] { showHideEvents(eventsButton); });
    thisWindow->setCentralWidget(content);
    buildPerformEventsSheet();

    drawer = new QDockWidget(thisWindow);
    drawer->setObjectName(QStringLiteral("drawer"));
    drawer->setFeatures(QDockWidget::NoDockWidgetFeatures);
    drawer->setTitleBarWidget(new QWidget(drawer));
    drawerContent = new QStackedWidget(drawer);
    noEventsView = new QLabel(tr("Select one event to edit it here."), drawerContent);
    static_cast<QLabel *>(noEventsView)->setAlignment(Qt::AlignCenter);
    editor = new EventEditorView(drawerContent);
    drawerContent->addWidget(noEventsView);
    drawerContent->addWidget(editor);
    connectEventEditor();
    drawerContent->setFixedWidth(DrawerContentWidth);
    auto *drawerFrame = new QWidget(drawer);
    // The drawer keeps its length whatever the window's width and stays centred along its edge.
    auto *drawerLayout = new QHBoxLayout(drawerFrame);
    drawerLayout->addStretch();
    drawerLayout->addWidget(drawerContent);
    drawerLayout->addStretch();
    drawer->setWidget(drawerFrame);
    thisWindow->addDockWidget(Qt::BottomDockWidgetArea, drawer);
    drawer->hide();

    defaultEvent = ::defaultEvent(GetDateTime());

    if (!hasModulesArray) {
        currentEventIndex = -1;
        modulesArray.clear();
        modulesOutlineArray.clear();
        hasModulesArray = true;
        eventRepeat = {1, 1};
        newModule();
    } else {
        setDrawerRowsExpanded();
    }

    thisWindow->resize(760, 620);
    thisWindow->restoreGeometry(QSettings().value(WindowFrameKey).toByteArray());
    windowDidResize();
    changeCount = changedOnReading ? 1 : 0;
    updateWindowTitle();
}

// The file -----------------------------------------------------------------------------------

bool Modules::readFromFile(const QString &path, QString *error)
{
    const DocumentReadResult read = readDocumentFile(path.toStdString());
    if (!read.content) {
        *error = QString::fromStdString(read.error);
        return false;
    }
    const bool reverting = hasModulesArray && thisWindow;
    currentModuleIndex = currentEventIndex = -1;
    drawerOpen = read.content->drawerOpen;
    selectedRows = read.content->selectedRows;
    eventRepeat = read.content->eventRepeat;
    modulesArray = read.content->modules;
    modulesOutlineArray.clear();
    for (int index = 0; index < static_cast<int>(modulesArray.size()); ++index)
        modulesOutlineArray.push_back(index);
    hasModulesArray = true;
    // A repaired name makes the document differ from its file: saving it writes the repair.
    changedOnReading = read.namesRepaired;
    setFileName(path);
    if (reverting)
        setDrawerRowsExpanded();
    return true;
}

bool Modules::writeToFile(const QString &path, QString *error)
{
    DocumentFileContent content;
    content.modules = modulesArray;
    content.eventRepeat = eventRepeat;
    for (const int row : modulesOutline->selectedRows())
        content.selectedRows.push_back(row);
    content.drawerOpen = drawerIsOpen();
    std::string failure;
    if (!writeDocumentFile(path.toStdString(), content, &failure)) {
        *error = QString::fromStdString(failure);
        return false;
    }
    setFileName(path);
    changeCount = 0;
    updateWindowTitle();
    return true;
}

bool Modules::revertToSaved(QString *error)
{
    if (!readFromFile(filePath, error))
        return false;
    changeCount = changedOnReading ? 1 : 0;
    updateWindowTitle();
    return true;
}

void Modules::setFileName(const QString &path)
{
    filePath = path;
    updateWindowTitle();
}

void Modules::setUntitledName(const QString &name)
{
    untitledName = name;
    updateWindowTitle();
}

void Modules::updateChangeCount(bool done)
{
    changeCount = done ? changeCount + 1 : 0;
    updateWindowTitle();
    emit changeStateChanged();
}

void Modules::updateWindowTitle()
{
    if (!thisWindow)
        return;
    const QString name = filePath.isEmpty() ? untitledName : QFileInfo(filePath).fileName();
    thisWindow->setWindowTitle(name + QStringLiteral("[*]"));
    thisWindow->setWindowModified(changeCount != 0);
}

void Modules::setDrawerRowsExpanded()
{
    if (drawerOpen) {
        drawerOpen = false;
        QTimer::singleShot(0, this, [this] { showHideEvents(); });
    }
    reloadAndFixExpanded();
    if (!selectedRows.empty()) {
        bool first = true;
        for (const int64_t row : selectedRows) {
            modulesOutline->selectRowByExtendingSelection(static_cast<int>(row), !first);
            first = false;
        }
    } else {
        outlineViewSelectionDidChange();
    }
    selectedRows.clear();
}

// The outline ---------------------------------------------------------------------------------

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
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        if (*row < modulesOutline->numberOfRows())
            modulesOutline->selectRowByExtendingSelection(*row, row != selected.rbegin());
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

// Editing commands ----------------------------------------------------------------------------

void Modules::insertModule(const Module &module)
{
    const int selectedRow = modulesOutline->selectedRow();
    const bool soleModuleRow = modulesOutline->numberOfSelectedRows() == 1 && modulesOutline->levelForRow(selectedRow) == 0;
    const ModuleInsertPlan plan = planModuleInsert(
        static_cast<int>(modulesArray.size()),
        soleModuleRow ? std::optional<int>(moduleIndexForOutlineRow(selectedRow)) : std::nullopt,
        modulesOutline->editedRow() != -1);
    endEditingInWindow();
    saveEventData();
    modulesArray.insert(modulesArray.begin() + plan.place, moduleInLine(module));
    modulesOutlineArray.push_back(static_cast<int>(modulesOutlineArray.size()));
    reloadAndFixExpanded();
    if (plan.select == ModuleInsertPlan::Select::Inserted) {
        modulesOutline->selectRowByExtendingSelection(modulesOutline->rowForItem({modulesOutlineArray.back(), -1}), false);
    } else if (plan.select == ModuleInsertPlan::Select::NextModuleRow) {
        for (int row = selectedRow + 1; row < modulesOutline->numberOfRows(); ++row)
            if (modulesOutline->levelForRow(row) == 0) {
                modulesOutline->selectRowByExtendingSelection(row, false);
                break;
            }
    }
    updateChangeCount(true);
}

void Modules::newModule(QObject *)
{
    insertModule(Module {});
    modulesOutline->editColumnRowWithEventSelect(FormatterDelegate::NameColumn, modulesOutline->selectedRow(), true);
}

void Modules::insertEvent(const Event &event)
{
    if (modulesArray.empty())
        return;  // no module to hold it
    const EventInsertPlan plan = planEventInsert(
        {[this](int r) { return modulesOutline->levelForRow(r); }, [this](int r) { return modulesOutline->itemAtRow(r).module; }},
        modulesOutline->selectedRow(), [this](int module) { return static_cast<int>(modulesArray[module].events.size()); });
    Module changed = modulesArray[plan.module];
    changed.events.insert(changed.events.begin() + plan.position, eventInLineWith(changed, event));
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
    insertEvent(defaultEvent);
    modulesOutline->setFocus();
}

void Modules::deleteSelection(QObject *)
{
    endEditingInWindow();
    const QSignalBlocker quiet(modulesOutline->selectionModel());
    for (int row = modulesOutline->numberOfRows() - 1; row >= 0; --row) {
        if (!modulesOutline->isRowSelected(row))
            continue;
        const int module = moduleIndexForOutlineRow(row);
        if (modulesOutline->levelForRow(row) != 1) {
            modulesArray.erase(modulesArray.begin() + module);
            modulesOutlineArray.pop_back();
        } else {
            Module changed = modulesArray[module];
            changed.events.erase(changed.events.begin() + eventIndexForOutlineRow(row));
            replaceModule(module, changed);
            currentEventIndex = -1;
        }
    }
    modulesOutline->deselectAll();
    reloadAndFixExpanded();
    outlineViewSelectionDidChange();
    updateChangeCount(true);
}

void Modules::edit(QObject *)
{
    modulesOutline->editColumnRowWithEventSelect(FormatterDelegate::NameColumn, modulesOutline->selectedRow(), true);
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
    case EditCommand::Delete:
        return selected > 0;
    case EditCommand::Cut:
    case EditCommand::Copy:
        return selected > 0 && copyValid();
    case EditCommand::Paste: {
        const QMimeData *pasteboard = QApplication::clipboard()->mimeData();
        if (pasteboard && pasteboard->hasFormat(QStringLiteral("CP290 Modules")) && selected < 2)
            return true;
        return pasteboard && pasteboard->hasFormat(QStringLiteral("CP290 Events")) && selected == 1;
    }
    }
    return false;
}

// The drawer, the window, printing -----------------------------------------------------------

bool Modules::drawerIsOpen() const
{
    return drawer && drawer->isVisible();
}

void Modules::showHideEvents(QObject *)
{
    if (!drawerIsOpen()) {
        eventsButton->setText(tr("Hide Event Editor"));
        drawer->show();
    } else {
        eventsButton->setText(tr("Show Event Editor"));
        drawer->hide();
    }
}

void Modules::windowDidResize()
{
    windowSize = thisWindow->size();
    QSettings().setValue(WindowFrameKey, thisWindow->saveGeometry());
}

void Modules::windowWillClose()
{
    QSettings settings;
    settings.setValue(OutlineColumnsKey, modulesOutline->header()->saveState());
    if (!filePath.isEmpty())
        settings.setValue(LastModulesFileKey, filePath);
    settings.sync();
}

bool Modules::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != thisWindow || (event->type() != QEvent::Resize && event->type() != QEvent::Close))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Resize)
        windowDidResize();
    if (event->type() == QEvent::Close) {
        if (isDocumentEdited()) {
            const auto answer = QMessageBox::question(
                thisWindow, tr("Save changes?"),
                tr("Do you want to save the changes you made in \"%1\"?").arg(thisWindow->windowTitle().remove("[*]")),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
            QString path = filePath, error;
            if (answer == QMessageBox::Save && path.isEmpty())
                path = chooseDocumentPath(thisWindow, tr("Save"), untitledName);
            if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && (path.isEmpty() || !writeToFile(path, &error)))) {
                event->ignore();
                return true;
            }
        }
        windowWillClose();
    }
    return QObject::eventFilter(watched, event);
}

void Modules::printOutline(QPrinter &printer) const
{
    printOutlineRows(printer, *modulesOutline);
}

void Modules::printDocument(QObject *)
{
    modulesOutline->setFocus();
    QPrintDialog dialog(&sharedPrinter(), thisWindow);
    if (dialog.exec() == QDialog::Accepted)
        printOutline(sharedPrinter());
}

void Modules::showHelp(QObject *sender)
{
    if (deviceAccess)
        deviceAccess->showHelp(sender);
}

void Modules::runPageLayout(QObject *)
{
    QPageSetupDialog dialog(&sharedPrinter(), thisWindow);
    dialog.exec();
}
