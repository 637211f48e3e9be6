#include "app/RecentDocumentsMenu.h"

#include "document/RecentDocuments.h"

#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

const char *const RecentDocumentsKey = "Recent Modules Files";

std::vector<std::string> storedList()
{
    std::vector<std::string> list;
    for (const QString &path : QSettings().value(RecentDocumentsKey).toStringList())
        list.push_back(path.toStdString());
    return list;
}

void store(const std::vector<std::string> &list)
{
    QStringList paths;
    for (const std::string &path : list)
        paths << QString::fromStdString(path);
    QSettings().setValue(RecentDocumentsKey, paths);
}

}  // namespace

RecentDocumentsMenu::RecentDocumentsMenu(QMenu *recentMenu, QObject *parent) : QObject(parent), menu(recentMenu)
{
    // Built each time it opens, so that start-up looks at no file.
    connect(menu, &QMenu::aboutToShow, this, &RecentDocumentsMenu::rebuild);
}

void RecentDocumentsMenu::noteDocument(const QString &path)
{
    store(withRecentDocument(storedList(), QFileInfo(path).absoluteFilePath().toStdString()));
}

void RecentDocumentsMenu::rebuild()
{
    const std::vector<std::string> before = storedList();
    const std::vector<std::string> recent = stillThere(before, [](const std::string &path) {
        return QFileInfo::exists(QString::fromStdString(path));
    });
    if (recent != before)
        store(recent);
    menu->clear();
    const std::vector<std::string> titles = recentDocumentTitles(recent);
    for (std::size_t index = 0; index < recent.size(); ++index) {
        const QString path = QString::fromStdString(recent[index]);
        // A name is shown as it is: an "&" in it is no keyboard mnemonic.
        QAction *item = menu->addAction(QString::fromStdString(titles[index]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setToolTip(path);
        connect(item, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    menu->addSeparator();
    QAction *clear = menu->addAction(tr("Clear Menu"));
    clear->setEnabled(!recent.empty());
    connect(clear, &QAction::triggered, this, [] { store({}); });
}
