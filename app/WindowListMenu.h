#pragma once

#include <QObject>

class DocumentController;
class QAction;
class QMenu;

// The Window menu's list of document windows, below its own items: each open document by its
// window's title, marked "Edited" while it has unsaved changes and checked when it is in front;
// choosing one brings its window forward. Rebuilt each time the menu opens.
class WindowListMenu : public QObject {
    Q_OBJECT
public:
    WindowListMenu(QMenu *menu, DocumentController *documents, QObject *parent);

private:
    void rebuild();

    QMenu *menu;
    DocumentController *documents;
    QAction *separator;
};
