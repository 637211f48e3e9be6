#pragma once

#include <QObject>

class QMenu;
class QString;

// File > Open Recent: the documents last opened or saved, kept in the user defaults under
// "Recent Modules Files"; missing ones leave the menu when it opens; "Clear Menu" empties it.
class RecentDocumentsMenu : public QObject {
    Q_OBJECT
public:
    RecentDocumentsMenu(QMenu *menu, QObject *parent);

    static void noteDocument(const QString &path);

signals:
    void openRequested(const QString &path);

private:
    void rebuild();

    QMenu *menu;
};
