#include "documentwindow/Modules.h"

#include "documentwindow/DeviceAccess.h"
#include "platform/qt/SharedPrinter.h"
#include "widgets/DocumentWindowView.h"
#include "widgets/EventEditorView.h"
#include "widgets/OutlinePrinting.h"

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

Modules::Modules(QObject *parent)
    : QObject(parent),
      documentContent([this] { return thisWindow ? outline()->selectedRows() : std::vector<int>(); }),
      outlineBinding(*this),
      eventEditor(*this),
      editCommands(*this),
      clipboardAndDrag(*this),
      cp290(*this)
{
}

Modules::~Modules()
{
    if (!thisWindow)
        return;
    thisWindow->removeEventFilter(this);
    delete thisWindow;
}

QMainWindow *Modules::window() const
{
    return thisWindow;
}

VekNSOutlineView *Modules::outline() const
{
    return thisWindow ? thisWindow->outline : nullptr;
}

void Modules::windowControllerDidLoadNib()
{
    thisWindow = new DocumentWindowView(ColumnIdentifiers);
    thisWindow->setAttribute(Qt::WA_DeleteOnClose);
    thisWindow->installEventFilter(this);
    connect(thisWindow, &QObject::destroyed, this, [this] { thisWindow = nullptr; });
    VekNSOutlineView *rows = outline();
    rows->header()->restoreState(QSettings().value(OutlineColumnsKey).toByteArray());
    rows->setDataSource(&outlineBinding);
    rows->setOutlineDelegate(&outlineBinding);
    rows->setDragSource(&clipboardAndDrag);
    connectWindow();
    eventEditor.connectEventEditor();

    if (!documentContent.isLoaded()) {
        documentContent.startEmpty();
        editCommands.newModule();
    } else {
        restoreWindowState();
    }

    documentContent.resetHistory();
    thisWindow->resize(760, 620);
    thisWindow->restoreGeometry(QSettings().value(WindowFrameKey).toByteArray());
    windowDidResize();
    updateWindowTitle();
}

void Modules::connectWindow()
{
    const DocumentWindowView &view = *thisWindow;
    const auto clicked = [this](QPushButton *button, auto command) {
        connect(button, &QPushButton::clicked, this, [button, command] { command(button); });
    };
    clicked(view.onButton, [this](QObject *sender) { cp290.on(sender); });
    clicked(view.offButton, [this](QObject *sender) { cp290.off(sender); });
    clicked(view.repeatButton, [this](QObject *sender) { cp290.performEvents(sender); });
    clicked(view.sendButton, [this](QObject *sender) { cp290.sendEventsToCP290(sender); });
    clicked(view.helpButton, [this](QObject *sender) { showHelp(sender); });
    clicked(view.repeatCountHelpButton, [this](QObject *sender) { showHelp(sender); });
    clicked(view.newModuleButton, [this](QObject *sender) { editCommands.newModule(sender); });
    clicked(view.newEventButton, [this](QObject *sender) { editCommands.newEvent(sender); });
    clicked(view.deleteButton, [this](QObject *sender) { editCommands.deleteSelection(sender); });
    clicked(view.editButton, [this](QObject *sender) { editCommands.edit(sender); });
    clicked(view.endEditButton, [this](QObject *sender) { editCommands.endEdit(sender); });
    clicked(view.expandButton, [this](QObject *sender) { outlineBinding.expandAll(sender); });
    clicked(view.collapseButton, [this](QObject *sender) { outlineBinding.collapseAll(sender); });
    clicked(view.eventsButton, [this](QObject *sender) { showHideEvents(sender); });
    connect(view.scheduleButton, &QPushButton::clicked, this, &Modules::scheduleRequested);
    connect(view.repeatCountButtons, &QDialogButtonBox::accepted, this, [this] { cp290.performEventsOK(); });
    connect(view.repeatCountButtons, &QDialogButtonBox::rejected, this, [this] { cp290.performEventsCancel(); });
}

bool Modules::readFromFile(const QString &path, QString *error)
{
    const bool reverting = documentContent.isLoaded() && thisWindow;
    if (!documentContent.read(path, &readWindowState, error))
        return false;
    eventEditor.leaveEvent();
    if (reverting) {
        restoreWindowState();
        documentContent.resetHistory();  // a revert forgets what was done
    }
    updateWindowTitle();
    emit fileNameChanged(path);
    return true;
}

bool Modules::writeToFile(const QString &path, QString *error)
{
    commitEditing();
    DocumentContent::WindowState shown {drawerIsOpen(), {}};
    if (thisWindow) {
        for (const int row : outline()->selectedRows())
            shown.selectedRows.push_back(row);
    }
    if (!documentContent.write(path, shown, error))
        return false;
    updateWindowTitle();
    emit fileNameChanged(path);
    return true;
}

bool Modules::revertToSaved(QString *error)
{
    return readFromFile(documentContent.fileName(), error);
}

void Modules::setUntitledName(const QString &name)
{
    untitledName = name;
    updateWindowTitle();
}

void Modules::updateChangeCount()
{
    documentContent.recordChange();
    showChange();
}

void Modules::showChange()
{
    updateWindowTitle();
    emit changeStateChanged();
}

void Modules::commitEditing()
{
    if (!thisWindow)
        return;
    outline()->endEditing();
    thisWindow->editor->commitTyping();
    eventEditor.saveEventData();
}

void Modules::updateWindowTitle()
{
    if (!thisWindow)
        return;
    const QString &path = documentContent.fileName();
    const QString name = path.isEmpty() ? untitledName : QFileInfo(path).fileName();
    thisWindow->setWindowTitle(name + QStringLiteral("[*]"));
    thisWindow->setWindowModified(isDocumentEdited());
}

// The drawer and the selection as the file had them.
void Modules::restoreWindowState()
{
    if (readWindowState.drawerOpen) {
        readWindowState.drawerOpen = false;
        QTimer::singleShot(0, this, [this] { showHideEvents(); });
    }
    outlineBinding.reloadAndFixExpanded();
    const std::vector<int64_t> &rows = readWindowState.selectedRows;
    if (!rows.empty())
        outline()->selectRows(std::vector<int>(rows.begin(), rows.end()), false);
    else
        outlineBinding.outlineViewSelectionDidChange();
    readWindowState.selectedRows.clear();
}

bool Modules::drawerIsOpen() const
{
    return thisWindow && thisWindow->drawer->isVisible();
}

void Modules::showHideEvents(QObject *)
{
    const bool opening = !drawerIsOpen();
    thisWindow->eventsButton->setText(opening ? tr("Hide Event Editor") : tr("Show Event Editor"));
    thisWindow->drawer->setVisible(opening);
}

void Modules::windowDidResize()
{
    QSettings().setValue(WindowFrameKey, thisWindow->saveGeometry());
}

void Modules::windowWillClose()
{
    QSettings settings;
    settings.setValue(OutlineColumnsKey, outline()->header()->saveState());
    if (!documentContent.fileName().isEmpty())
        settings.setValue(LastModulesFileKey, documentContent.fileName());
    settings.sync();
}

bool Modules::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == thisWindow && event->type() == QEvent::Resize)
        windowDidResize();
    if (watched == thisWindow && event->type() == QEvent::Close)
        windowWillClose();
    return QObject::eventFilter(watched, event);
}

void Modules::printOutline(QPrinter &printer) const
{
    printOutlineRows(printer, *outline());
}

void Modules::printDocument(QObject *)
{
    commitEditing();
    outline()->setFocus();
    QPrintDialog dialog(&sharedPrinter(), thisWindow);
    dialog.setMinMax(1, outlinePageCount(sharedPrinter(), *outline()));
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
