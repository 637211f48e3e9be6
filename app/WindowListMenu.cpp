#include "app/WindowListMenu.h"

#include "app/DocumentController.h"
#include "documentwindow/Modules.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>

WindowListMenu::WindowListMenu(QMenu *windowMenu, DocumentController *documentController, QObject *parent)
    : QObject(parent), menu(windowMenu), documents(documentController), separator(windowMenu->addSeparator())
{
    connect(menu, &QMenu::aboutToShow, this, &WindowListMenu::rebuild);
}

void WindowListMenu::rebuild()
{
    const QList<QAction *> items = menu->actions();
    for (qsizetype i = items.indexOf(separator) + 1; i < items.size(); ++i)
        delete items[i];  // the menu's own: removed from it as they go
    const QWidget *front = QApplication::activeWindow();
    const QList<Modules *> open = documents->documents();
    separator->setVisible(!open.isEmpty());
    for (Modules *document : open) {
        QWidget *window = document->window();
        QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        if (document->isDocumentEdited())
            title += tr(" — Edited");
        QAction *item = menu->addAction(title.replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setCheckable(true);
        item->setChecked(window == front);
        const QPointer<QWidget> target(window);
        connect(item, &QAction::triggered, this, [target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            else
                target->show();
            target->raise();
            target->activateWindow();
        });
    }
}
