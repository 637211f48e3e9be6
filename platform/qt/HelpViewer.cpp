#include "platform/qt/HelpViewer.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>

void initApplicationResources()
{
    Q_INIT_RESOURCE(tavorin);
}

namespace {

const char *const BookFolder = ":/help";
const char *const FirstPage = "qrc:/help/index.html";

}  // namespace

HelpViewer::HelpViewer(QWidget *parent) : QMainWindow(parent), pages(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Tavorin Help"));
    pages->setOpenExternalLinks(true);
    setCentralWidget(pages);
    resize(620, 520);
    const QRegularExpression anchor(QStringLiteral("<a\\s+name=\"([^\"]+)\""));
    for (QDirIterator page(BookFolder, {QStringLiteral("*.html")}); page.hasNext();) {
        const QString path = page.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString html = QString::fromUtf8(file.readAll());
        for (auto match = anchor.globalMatch(html); match.hasNext();)
            anchors.insert(match.next().captured(1), QStringLiteral("qrc") + path);
    }
}

QString HelpViewer::pageForAnchor(const QString &anchor) const
{
    return anchors.value(anchor, FirstPage);
}

void HelpViewer::showHelpAnchor(const QString &anchor)
{
    QUrl page(pageForAnchor(anchor));
    if (anchors.contains(anchor))
        page.setFragment(anchor);
    pages->setSource(page);
    show();
    raise();
    activateWindow();
}
