#pragma once

#include "document/DocumentFile.h"
#include "document/EditorFields.h"
#include "document/UndoHistory.h"
#include "document/OutlineSelection.h"
#include "document/SelectionEdits.h"
#include "model/Records.h"
#include "widgets/VekNSOutlineView.h"

#include <QObject>
#include <QSize>
#include <QTime>
#include <vector>

class DeviceAccess;
class DocumentWindowView;
class EventEditorView;
class QCheckBox;
class QComboBox;
class QDialog;
class QDockWidget;
class QLabel;
class QSlider;
#include <QMainWindow>
class QPrinter;
class QPushButton;
class QStackedWidget;

enum class EditCommand { Undo, Redo, Cut, Copy, Paste, Delete, SelectAll };

// A module document and its window: the outline of modules and events, the editing commands,
// the drawer for the event editor, and the file it is kept in.
class Modules : public QObject, public OutlineDataSource, public OutlineDelegate {
    Q_OBJECT
public:
    static const QStringList ColumnIdentifiers;  // "N", "C", "#", "T": logical columns of the outline

    explicit Modules(QObject *parent = nullptr);
    ~Modules() override;

    // The window exists once this has run; a document read before keeps its content.
    void windowControllerDidLoadNib();
    QMainWindow *window() const { return thisWindow; }
    VekNSOutlineView *outline() const { return modulesOutline; }

    // The file. Reading refuses a file that is not a document and leaves the document as it was.
    bool readFromFile(const QString &path, QString *error);
    bool writeToFile(const QString &path, QString *error);
    bool revertToSaved(QString *error);
    QString fileName() const { return filePath; }
    void setFileName(const QString &path);
    // The title of a document that has no file yet ("Untitled", "Untitled 2", ...).
    void setUntitledName(const QString &name);
    bool isDocumentEdited() const { return !history.isAtSavedState(); }
    void updateChangeCount(bool done);

    const std::vector<Module> &modules() const { return modulesArray; }
    const std::vector<int> &outlineItems() const { return modulesOutlineArray; }
    int currentModule() const { return currentModuleIndex; }
    int currentEventNumber() const { return currentEventIndex; }
    const ClassicEventRepeat &repeatCounts() const { return eventRepeat; }
    void setDeviceAccess(DeviceAccess *access) { deviceAccess = access; }
    EventEditorView *eventEditor() const { return editor; }
    QPushButton *onCommandButton() const { return onButton; }
    QPushButton *offCommandButton() const { return offButton; }
    QSlider *selectedBrightness() const { return selectedBrightnessSlider; }
    QDialog *repeatCountSheet() const { return performEventsSheet; }

    // Data source and delegate of the outline.
    int outlineViewNumberOfChildrenOfItem(const OutlineItem *item) const override;
    QVariant outlineViewObjectValueForTableColumnByItem(int column, const OutlineItem &item) const override;
    void outlineViewSetObjectValueForTableColumnByItem(const QVariant &value, int column, const OutlineItem &item) override;
    bool outlineViewShouldEditTableColumnItem(int column, const OutlineItem &item) const override;
    bool outlineViewWriteItemsToPasteboard(const std::vector<OutlineItem> &items, QMimeData *pasteboard) override;
    bool outlineViewValidateDropProposedItemProposedChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                                               OutlineItem *parent, int *childIndex) override;
    bool outlineViewAcceptDropItemChildIndex(const QMimeData *pasteboard, VekNSOutlineView *source,
                                             const OutlineItem &parent, int childIndex) override;
    void draggingDone() override;

    // What a document offers to the one that receives its dragged rows (itself included).
    const Module &moduleAtIndexForDrag(int index) const;
    void deleteModuleAtIndexForDrag(int index);
    const Event &eventAtIndexForDragModuleIndex(int eventIndex, int moduleIndex) const;
    void deleteEventAtIndexForDragModuleIndex(int eventIndex, int moduleIndex);
    bool isDraggingModules() const { return draggingModules; }
    bool outlineViewShouldExpandItem(const OutlineItem &item) override;
    bool outlineViewShouldCollapseItem(const OutlineItem &item) override;
    void outlineViewSelectionDidChange() override;

    int moduleIndexForOutlineRow(int row) const;
    int eventIndexForOutlineRow(int row) const;
    void reloadAndFixExpanded();
    std::vector<OutlineRow> outlineRows() const;

    // Editing commands.
    // Inserts modules, or events, as one block where a new one would go, in the order given, and
    // selects the block's first row.
    void insertModules(const std::vector<Module> &modules);
    void insertEvents(const std::vector<Event> &events);
    bool copyValid();
    // Whether an Edit menu command can act on the selection, whatever the menu item is called.
    bool validateMenuItem(EditCommand command);
    // What Undo and Redo would take back or do again ("Delete", "Typing"); empty when nothing.
    QString undoActionName() const { return QString::fromStdString(history.undoName()); }
    QString redoActionName() const { return QString::fromStdString(history.redoName()); }

    // The event editor.
    void loadEventData();
    void doDaysPopupChanged();
    void saveEventData();
    void setCurrentEvent(const Event &event);
    void riseSet(QCheckBox *changed);
    void checkDaysWarning();
    void moduleChanged();

    // Sending to the CP290.
    void onOff(uint8_t function);
    void switchSelectedModules(uint8_t function);

    void printOutline(QPrinter &printer) const;

public slots:
    // Ends whatever is being typed, in an outline cell or in the editor, as the user's own step:
    // before any command acts on the document or leaves it, so that the window shows what the
    // document holds.
    void commitEditing();
    void undo(QObject *sender = nullptr);
    void redo(QObject *sender = nullptr);
    void newModule(QObject *sender = nullptr);
    void newEvent(QObject *sender = nullptr);
    void deleteSelection(QObject *sender = nullptr);
    void copy(QObject *sender = nullptr);
    void cut(QObject *sender = nullptr);
    void paste(QObject *sender = nullptr);
    void selectAll(QObject *sender = nullptr);
    void edit(QObject *sender = nullptr);
    void endEdit(QObject *sender = nullptr);
    void expandAll(QObject *sender = nullptr);
    void collapseAll(QObject *sender = nullptr);
    void showHideEvents(QObject *sender = nullptr);
    void printDocument(QObject *sender = nullptr);
    void runPageLayout(QObject *sender = nullptr);
    void showHelp(QObject *sender);

    void daysPopupChanged(QObject *sender = nullptr);
    void repeat(QObject *sender = nullptr);
    void today(QObject *sender = nullptr);
    void tomorrow(QObject *sender = nullptr);
    void eventOn(QObject *sender = nullptr);
    void eventOff(QObject *sender = nullptr);
    void sunrise(QObject *sender = nullptr);
    void sunset(QObject *sender = nullptr);
    void eventChanged(QObject *sender = nullptr);
    void resetEvent(QObject *sender = nullptr);

    void performEvents(QObject *sender = nullptr);
    void performEventsOK(QObject *sender = nullptr);
    void performEventsCancel(QObject *sender = nullptr);
    void sendEventsToCP290(QObject *sender = nullptr);
    void on(QObject *sender = nullptr);
    void off(QObject *sender = nullptr);

signals:
    void changeStateChanged();
    void fileNameChanged(const QString &path);
    void scheduleRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Names the change the command about to run makes. Every change it records is one step; the
    // selection before it stays with the state it started from. Nested, the outermost names it.
    class NamedChange {
    public:
        NamedChange(Modules &document, const QString &name, const QString &mergeKey = {});
        ~NamedChange();
        NamedChange(const NamedChange &) = delete;
        NamedChange &operator=(const NamedChange &) = delete;

    private:
        Modules &document;
        bool outermost;
    };

    void applySelection();
    void applySnapshot(const DocumentSnapshot &snapshot);
    void numberOutlineItems();
    DocumentSnapshot currentSnapshot() const;
    void setDrawerRowsExpanded();
    bool storeExpansion(const OutlineItem &item, bool expanded);
    void setEveryModuleExpanded(bool expanded);
    void connectWindow(const DocumentWindowView &view);
    void connectEventEditor();
    const Event &currentEvent() const;
    EditorFields shownFields() const;
    void windowDidResize();
    void windowWillClose();
    void replaceModule(int index, const Module &module);
    // The selected rows, top to bottom, as modules and events.
    std::vector<SelectedItem> selectedOutlineRows() const;
    void endEditingInWindow();
    void updateWindowTitle();
    bool drawerIsOpen() const;

    std::vector<Module> modulesArray;
    std::vector<int> modulesOutlineArray;
    bool hasModulesArray = false;
    int currentModuleIndex = -1;
    int currentEventIndex = -1;
    Event defaultEvent;
    ClassicEventRepeat eventRepeat;
    bool expandingAll = false;
    bool collapsingAll = false;
    bool dragCutCopyModules = false;
    bool dragCutCopyEvents = false;
    bool draggingModules = false;
    bool restoringExpansion = false;
    bool drawerOpen = false;
    std::vector<int64_t> selectedRows;
    QSize windowSize;

    QString filePath;
    QString untitledName;
    UndoHistory history;
    QString changeName, changeMergeKey;
    int changesUnderWay = 0;
    int changeSerial = 0;
    bool changedOnReading = false;

    // Not a QPointer: the window is compared while it is being destroyed, when a guarded pointer
    // would cast an object that is no longer a QMainWindow.
    QMainWindow *thisWindow = nullptr;
    VekNSOutlineView *modulesOutline = nullptr;
    QDockWidget *drawer = nullptr;
    QStackedWidget *drawerContent = nullptr;
    QWidget *noEventsView = nullptr;
    EventEditorView *editor = nullptr;
    bool loadingEvent = false;
    EditorFields loadedFields;  // the current event's fields as loaded
    QPushButton *onButton = nullptr;
    QPushButton *offButton = nullptr;
    QSlider *selectedBrightnessSlider = nullptr;
    QLabel *selectedBrightnessLabel = nullptr;
    QDialog *performEventsSheet = nullptr;
    QComboBox *eventRepeatOnPopup = nullptr;
    QComboBox *eventRepeatOffPopup = nullptr;
    DeviceAccess *deviceAccess = nullptr;
    QPushButton *eventsButton = nullptr;
    QPushButton *newModuleButton = nullptr;
    QPushButton *newEventButton = nullptr;
    QPushButton *deleteButton = nullptr;
    QPushButton *editButton = nullptr;
    QPushButton *endEditButton = nullptr;
};
