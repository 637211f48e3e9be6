#include "app/DocumentController.h"

#include "app/RecentDocumentsMenu.h"
#include "documentwindow/Modules.h"
#include "platform/qt/DocumentPanels.h"
#include "platform/qt/WindowCommands.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// The File menu's commands for one document window; it lives as long as the document.
class DocumentWindowCommands : public QObject, public WindowCommands {
public:
    DocumentWindowCommands(DocumentController *owner, Modules *shown)
        : QObject(shown), documents(owner), document(shown)
    {
    }
    void saveDocument() override { documents->saveDocument(document); }
    void saveDocumentAs() override { documents->saveDocumentAs(document); }
    void printDocument() override { document->printDocument(); }
    void runPageLayout() override { document->runPageLayout(); }

private:
    DocumentController *documents;
    Modules *document;
};

}  // namespace

QString couldNotOpenMessage(const QString &path, const QString &reason)
{
    return DocumentController::tr("The document \"%1\" could not be opened: %2.").arg(QFileInfo(path).fileName(), reason);
}

DocumentController::DocumentController(QObject *parent) : QObject(parent)
{
}

Modules *DocumentController::adopt(Modules *document)
{
    // The document window last in front (a file dialog may be in front now): the new one stands
    // down and to its right, so that each window opened stands clear of the one before.
    const QWidget *front = nullptr;
    for (const QPointer<Modules> &each : lastInFront)
        if (each && each->window() && each->window()->isVisible())
            front = each->window();
    open.append(document);
    lastInFront.append(document);
    document->setDeviceAccess(deviceAccess);
    document->windowControllerDidLoadNib();
    if (!document->fileName().isEmpty())
        RecentDocumentsMenu::noteDocument(document->fileName());
    connect(document, &Modules::fileNameChanged, this, &RecentDocumentsMenu::noteDocument);
    connect(document->window(), &QObject::destroyed, document, &QObject::deleteLater);
    document->window()->installEventFilter(this);
    emit documentWindowCreated(document, new DocumentWindowCommands(this, document));
    if (front)
        cascade(document->window(), front);
    document->window()->show();
    return document;
}

// A new window stands down and to the right of the front one, back at the top left of the screen
// when it would leave it.
void DocumentController::cascade(QWidget *window, const QWidget *front)
{
    constexpr int Step = 28;
    QPoint place = front->pos() + QPoint(Step, Step);
    const QRect screen = front->screen()->availableGeometry();
    if (place.x() + window->width() > screen.right() || place.y() + window->height() > screen.bottom())
        place = screen.topLeft() + QPoint(Step, Step);
    window->move(place);
}

Modules *DocumentController::newDocument()
{
    auto *document = new Modules(this);
    ++untitledCount;
    document->setUntitledName(untitledCount == 1 ? tr("Untitled") : tr("Untitled %1").arg(untitledCount));
    return adopt(document);
}

Modules *DocumentController::openDocumentWithContentsOfFile(const QString &path, QString *error)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (Modules *document : documents())
        if (document->fileName() == absolute) {
            RecentDocumentsMenu::noteDocument(absolute);
            document->window()->raise();
            document->window()->activateWindow();
            return document;
        }
    auto *document = new Modules(this);
    if (!document->readFromFile(absolute, error)) {
        delete document;
        return nullptr;
    }
    return adopt(document);
}

Modules *DocumentController::documentForWindow(const QWidget *window) const
{
    for (Modules *document : documents())
        if (document->window() == window)
            return document;
    return nullptr;
}

QList<Modules *> DocumentController::documents() const
{
    QList<Modules *> living;
    for (const QPointer<Modules> &document : open)
        if (document && document->window())
            living.append(document);
    return living;
}

void DocumentController::reportError(QWidget *window, const QString &title, const QString &reason)
{
    auto *box = new QMessageBox(QMessageBox::Warning, title, title, QMessageBox::Ok, window);
    box->setInformativeText(reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

void DocumentController::openDocument(QWidget *parentWindow)
{
    const QStringList paths = QFileDialog::getOpenFileNames(parentWindow, tr("Open"), QString(), documentFileFilter());
    for (const QString &path : paths)
        openDocumentFile(path, parentWindow);
}

void DocumentController::openDocumentFile(const QString &path, QWidget *parentWindow)
{
    QString error;
    if (!openDocumentWithContentsOfFile(path, &error))
        reportError(parentWindow, tr("The document could not be opened."), couldNotOpenMessage(path, error));
}

// A changed document asks before its window closes; Cancel, or a save that does not happen, keeps
// it open.
bool DocumentController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        if (Modules *activated = documentForWindow(qobject_cast<QWidget *>(watched))) {
            lastInFront.removeAll(activated);
            lastInFront.append(activated);
        }
    Modules *document = event->type() == QEvent::Close ? documentForWindow(qobject_cast<QWidget *>(watched)) : nullptr;
    if (document)
        document->commitEditing();
    if (!document || !document->isDocumentEdited())
        return QObject::eventFilter(watched, event);
    QWidget *window = document->window();
    const auto answer = QMessageBox::question(
        window, tr("Save changes?"),
        tr("Do you want to save the changes you made in \"%1\"?").arg(window->windowTitle().remove(QStringLiteral("[*]"))),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !saveDocument(document))) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool DocumentController::saveDocument(Modules *document)
{
    if (document->fileName().isEmpty())
        return saveDocumentAs(document);
    QString error;
    if (document->writeToFile(document->fileName(), &error))
        return true;
    reportError(document->window(), tr("The document could not be saved."), error);
    return false;
}

bool DocumentController::saveDocumentAs(Modules *document)
{
    const QString start = document->fileName().isEmpty() ? document->window()->windowTitle().remove(QStringLiteral("[*]"))
                                                         : document->fileName();
    const QString path = chooseDocumentPath(document->window(), tr("Save As"), start);
    if (path.isEmpty())
        return false;
    QString error;
    if (document->writeToFile(path, &error))
        return true;
    reportError(document->window(), tr("The document could not be saved."), error);
    return false;
}

void DocumentController::revertDocumentToSaved(Modules *document)
{
    if (document->fileName().isEmpty())
        return;
    document->commitEditing();
    QMessageBox question(QMessageBox::Warning, tr("Revert to Saved"),
                         tr("Revert to the saved version? Your current changes will be lost."), QMessageBox::NoButton,
                         document->window());
    QPushButton *revert = question.addButton(tr("Revert"), QMessageBox::DestructiveRole);
    question.setDefaultButton(question.addButton(QMessageBox::Cancel));
    question.setWindowModality(Qt::WindowModal);
    question.exec();
    if (question.clickedButton() != revert)
        return;
    QString error;
    if (!document->revertToSaved(&error))
        reportError(document->window(), tr("The document could not be reverted."), couldNotOpenMessage(document->fileName(), error));
}
