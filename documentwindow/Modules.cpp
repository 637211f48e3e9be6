#include "documentwindow/Modules.h"

#include "documentwindow/DeviceAccess.h"
#include "widgets/OutlinePrinting.h"
#include "widgets/DocumentWindowView.h"
#include "platform/DateTime.h"
#include "platform/qt/SharedPrinter.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

const QStringList Modules::ColumnIdentifiers = {QStringLiteral("N"), QStringLiteral("C"), QStringLiteral("#"),
                                                QStringLiteral("T")};

namespace {

const char *const WindowFrameKey = "CP290ModulesWindow";
const char *const OutlineColumnsKey = "CP290Outline";
const char *const LastModulesFileKey = "Last Modules File";

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
    auto *view = new DocumentWindowView(ColumnIdentifiers);
    thisWindow = view;
    thisWindow->setAttribute(Qt::WA_DeleteOnClose);
    thisWindow->installEventFilter(this);
    connect(thisWindow, &QObject::destroyed, this, [this] { thisWindow = nullptr; });
    currentModuleIndex = -1;
    expandingAll = collapsingAll = false;

    modulesOutline = view->outline;
    modulesOutline->header()->restoreState(QSettings().value(OutlineColumnsKey).toByteArray());
    modulesOutline->setDataSource(this);
    modulesOutline->setOutlineDelegate(this);
    newModuleButton = view->newModuleButton;
    newEventButton = view->newEventButton;
    deleteButton = view->deleteButton;
    editButton = view->editButton;
    endEditButton = view->endEditButton;
    eventsButton = view->eventsButton;
    onButton = view->onButton;
    offButton = view->offButton;
    selectedBrightnessSlider = view->selectedBrightnessSlider;
    selectedBrightnessLabel = view->selectedBrightnessLabel;
    drawer = view->drawer;
    drawerContent = view->drawerContent;
    noEventsView = view->noEventsView;
    editor = view->editor;
    performEventsSheet = view->repeatCountSheet;
    eventRepeatOnPopup = view->eventRepeatOnPopup;
    eventRepeatOffPopup = view->eventRepeatOffPopup;
    connectWindow(*view);
    connectEventEditor();

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

    history.reset(currentSnapshot(), !changedOnReading);
    thisWindow->resize(760, 620);
    thisWindow->restoreGeometry(QSettings().value(WindowFrameKey).toByteArray());
    windowDidResize();
    updateWindowTitle();
}

void Modules::connectWindow(const DocumentWindowView &view)
{
    connect(onButton, &QPushButton::clicked, this, [this] { on(onButton); });
    connect(offButton, &QPushButton::clicked, this, [this] { off(offButton); });
    connect(view.scheduleButton, &QPushButton::clicked, this, &Modules::scheduleRequested);
    connect(view.repeatButton, &QPushButton::clicked, this, [this, button = view.repeatButton] { performEvents(button); });
    connect(view.sendButton, &QPushButton::clicked, this, [this, button = view.sendButton] { sendEventsToCP290(button); });
    connect(view.helpButton, &QPushButton::clicked, this, [this, button = view.helpButton] { showHelp(button); });
    connect(newModuleButton, &QPushButton::clicked, this, [this] { newModule(newModuleButton); });
    connect(newEventButton, &QPushButton::clicked, this, [this] { newEvent(newEventButton); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteSelection(deleteButton); });
    connect(editButton, &QPushButton::clicked, this, [this] { edit(editButton); });
    connect(endEditButton, &QPushButton::clicked, this, [this] { endEdit(endEditButton); });
    connect(view.expandButton, &QPushButton::clicked, this, [this, button = view.expandButton] { expandAll(button); });
    connect(view.collapseButton, &QPushButton::clicked, this, [this, button = view.collapseButton] { collapseAll(button); });
    connect(eventsButton, &QPushButton::clicked, this, [this] { showHideEvents(eventsButton); });
    connect(view.repeatCountButtons, &QDialogButtonBox::accepted, this, [this] { performEventsOK(); });
    connect(view.repeatCountButtons, &QDialogButtonBox::rejected, this, [this] { performEventsCancel(); });
    connect(view.repeatCountHelpButton, &QPushButton::clicked, this,
            [this, button = view.repeatCountHelpButton] { showHelp(button); });
}

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
    numberOutlineItems();
    hasModulesArray = true;
    // A repaired name makes the document differ from its file: saving it writes the repair.
    changedOnReading = read.namesRepaired;
    setFileName(path);
    if (reverting) {
        setDrawerRowsExpanded();
        history.reset(currentSnapshot(), !changedOnReading);  // a revert forgets what was done
    }
    return true;
}

bool Modules::writeToFile(const QString &path, QString *error)
{
    commitEditing();
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
    history.markSaved();
    updateWindowTitle();
    return true;
}

bool Modules::revertToSaved(QString *error)
{
    if (!readFromFile(filePath, error))
        return false;
    updateWindowTitle();
    return true;
}

void Modules::setFileName(const QString &path)
{
    filePath = path;
    updateWindowTitle();
    emit fileNameChanged(path);
}

void Modules::setUntitledName(const QString &name)
{
    untitledName = name;
    updateWindowTitle();
}

void Modules::updateChangeCount(bool done)
{
    if (done)
        history.record(currentSnapshot(), (changeName.isEmpty() ? tr("Change") : changeName).toStdString(),
                       changeMergeKey.toStdString());
    else
        history.markSaved();
    updateWindowTitle();
    emit changeStateChanged();
}

DocumentSnapshot Modules::currentSnapshot() const
{
    return snapshotOf(modulesArray, eventRepeat, modulesOutline ? modulesOutline->selectedRows() : std::vector<int>(),
                      &history.current());
}

Modules::NamedChange::NamedChange(Modules &changed, const QString &name, const QString &mergeKey)
    : document(changed), outermost(changed.changesUnderWay++ == 0)
{
    if (!outermost)
        return;
    document.changeName = name;
    document.changeMergeKey = mergeKey.isEmpty() ? QStringLiteral("#%1").arg(++document.changeSerial) : mergeKey;
}

Modules::NamedChange::~NamedChange()
{
    if (--document.changesUnderWay != 0)
        return;
    document.changeName.clear();
    document.changeMergeKey.clear();
    document.history.setSelection(document.modulesOutline->selectedRows());
}

// What is being typed is a step of its own, taken back first.
void Modules::undo(QObject *)
{
    commitEditing();
    if (history.canUndo())
        applySnapshot(history.undo());
}

void Modules::redo(QObject *)
{
    commitEditing();
    if (history.canRedo())
        applySnapshot(history.redo());
}

// A state of the history shown: its records, its expansion and its selection.
void Modules::applySnapshot(const DocumentSnapshot &snapshot)
{
    endEditingInWindow();
    currentModuleIndex = currentEventIndex = -1;
    modulesArray = snapshot.moduleRecords();
    eventRepeat = snapshot.repeat;
    numberOutlineItems();
    {
        const QSignalBlocker quiet(modulesOutline->selectionModel());
        reloadAndFixExpanded();
        modulesOutline->selectRows(snapshot.selectedRows, false);
    }
    modulesOutline->viewport()->update();
    applySelection();
    updateWindowTitle();
    emit changeStateChanged();
}

void Modules::updateWindowTitle()
{
    if (!thisWindow)
        return;
    const QString name = filePath.isEmpty() ? untitledName : QFileInfo(filePath).fileName();
    thisWindow->setWindowTitle(name + QStringLiteral("[*]"));
    thisWindow->setWindowModified(isDocumentEdited());
}

void Modules::setDrawerRowsExpanded()
{
    if (drawerOpen) {
        drawerOpen = false;
        QTimer::singleShot(0, this, [this] { showHideEvents(); });
    }
    reloadAndFixExpanded();
    if (!selectedRows.empty())
        modulesOutline->selectRows(std::vector<int>(selectedRows.begin(), selectedRows.end()), false);
    else
        outlineViewSelectionDidChange();
    selectedRows.clear();
}

// The module numbers that stand for the modules as the outline's top-level items: 0 to n - 1.
void Modules::numberOutlineItems()
{
    modulesOutlineArray.clear();
    for (int index = 0; index < static_cast<int>(modulesArray.size()); ++index)
        modulesOutlineArray.push_back(index);
}

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
    if (event->type() == QEvent::Close)
        windowWillClose();
    return QObject::eventFilter(watched, event);
}

void Modules::printOutline(QPrinter &printer) const
{
    printOutlineRows(printer, *modulesOutline);
}

void Modules::printDocument(QObject *)
{
    commitEditing();
    modulesOutline->setFocus();
    QPrintDialog dialog(&sharedPrinter(), thisWindow);
    dialog.setMinMax(1, outlinePageCount(sharedPrinter(), *modulesOutline));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
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
