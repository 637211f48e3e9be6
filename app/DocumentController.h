#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class DeviceAccess;
class Modules;
class QWidget;
class WindowCommands;

// Opens, saves, reverts and closes module documents, as the toolkit's document machinery does.
class DocumentController : public QObject {
    Q_OBJECT
public:
    explicit DocumentController(QObject *parent = nullptr);

    // What the documents ask before they talk to the CP290.
    void setDeviceAccess(DeviceAccess *access) { deviceAccess = access; }

    Modules *newDocument();
    // Nothing, and `error` in the toolkit's words, when the file cannot be read as a document.
    Modules *openDocumentWithContentsOfFile(const QString &path, QString *error);
    Modules *documentForWindow(const QWidget *window) const;
    QList<Modules *> documents() const;

    void openDocument(QWidget *parentWindow);
    // Opens the document at `path` (File > Open, Open Recent), or says why it cannot.
    void openDocumentFile(const QString &path, QWidget *parentWindow);
    bool saveDocument(Modules *document);
    bool saveDocumentAs(Modules *document);
    void revertDocumentToSaved(Modules *document);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A document's window exists: it wants the application's menus, and offers them its commands.
    void documentWindowCreated(Modules *document, WindowCommands *commands);

private:
    Modules *adopt(Modules *document);
    static void cascade(QWidget *window, const QWidget *front);
    void reportError(QWidget *window, const QString &title, const QString &reason);

    QList<QPointer<Modules>> open;
    QList<QPointer<Modules>> lastInFront;  // from the least to the most recently active
    DeviceAccess *deviceAccess = nullptr;
    int untitledCount = 0;
};

// The toolkit's words for a document that could not be read.
QString couldNotOpenMessage(const QString &path, const QString &reason);
