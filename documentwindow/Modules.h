#pragma once

#include "documentwindow/DocumentContent.h"
#include "documentwindow/EventEditorBinding.h"
#include "documentwindow/ModulesClipboard.h"
#include "documentwindow/ModulesEditing.h"
#include "documentwindow/ModulesOutline.h"
#include "documentwindow/ModulesSending.h"

#include <QMainWindow>
#include <QObject>

class DeviceAccess;
class DocumentWindowView;

class QPrinter;
#include "widgets/VekNSOutlineView.h"

// A module document and its window. It puts together the document's content, the outline's
// data source, the event editor, the editing commands, the clipboard and dragging, and sending;
// the menus and the controller talk to it.
class Modules : public QObject {
    Q_OBJECT
public:
    static const QStringList ColumnIdentifiers;  // "N", "C", "#", "T": logical columns of the outline

    explicit Modules(QObject *parent = nullptr);
    ~Modules() override;

    // The window exists once this has run; a document read before keeps its content.
    void windowControllerDidLoadNib();
    QMainWindow *window() const;
    DocumentWindowView *view() const { return thisWindow; }
    VekNSOutlineView *outline() const;

    DocumentContent &content() { return documentContent; }
    const DocumentContent &content() const { return documentContent; }
    ModulesOutline &outlineSource() { return outlineBinding; }
    EventEditorBinding &editorBinding() { return eventEditor; }
    ModulesEditing &editing() { return editCommands; }
    ModulesClipboard &clipboard() { return clipboardAndDrag; }
    ModulesSending &sending() { return cp290; }
    void setDeviceAccess(DeviceAccess *access) { deviceAccess = access; }
    DeviceAccess *device() const { return deviceAccess; }

    // The file. Reading refuses a file that is not a document and leaves the document as it was.
    bool readFromFile(const QString &path, QString *error);
    bool writeToFile(const QString &path, QString *error);
    bool revertToSaved(QString *error);
    QString fileName() const { return documentContent.fileName(); }
    // The title of a document that has no file yet ("Untitled", "Untitled 2", ...).
    void setUntitledName(const QString &name);
    bool isDocumentEdited() const { return documentContent.isEdited(); }
    // The change under way done: a step of the history, and the window and the Schedule told.
    void updateChangeCount();
    // The content changed without a new step (undo, redo): the window and the Schedule told.
    void showChange();

    void printOutline(QPrinter &printer) const;

public slots:
    // Ends whatever is being typed, in an outline cell or in the editor, as the user's own step:
    // before any command acts on the document or leaves it, so that the window shows what the
    // document holds.
    void commitEditing();
    void showHideEvents(QObject *sender = nullptr);
    void printDocument(QObject *sender = nullptr);
    void runPageLayout(QObject *sender = nullptr);
    void showHelp(QObject *sender);

signals:
    void changeStateChanged();
    void fileNameChanged(const QString &path);
    void scheduleRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectWindow();
    void updateWindowTitle();
    void restoreWindowState();
    bool drawerIsOpen() const;
    void windowDidResize();
    void windowWillClose();

    DocumentContent documentContent;
    ModulesOutline outlineBinding;
    EventEditorBinding eventEditor;
    ModulesEditing editCommands;
    ModulesClipboard clipboardAndDrag;
    ModulesSending cp290;
    DeviceAccess *deviceAccess = nullptr;
    QString untitledName;
    DocumentContent::WindowState readWindowState;  // what the file said, until the window shows it

    // Not a QPointer: the window is compared while it is being destroyed, when a guarded pointer
    // would cast an object that is no longer a DocumentWindowView.
    DocumentWindowView *thisWindow = nullptr;
};
