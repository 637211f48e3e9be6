// Times the document window on a large house: 2,000 modules with 20,000 events opened, expanded
// all and saved. Each must stay under half a second. Runs on the offscreen platform.

#include "document/DocumentFile.h"
#include "document/ui/DocumentController.h"
#include "document/ui/Modules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

DocumentFileContent largeContent()
{
    DocumentFileContent content;
    for (int i = 0; i < 2000; ++i) {
        Module module;
        module.houseCode = i % 16;
        module.unit = i % 16 + 1;
        module.type = ModuleTypeLight;
        module.name = "Module " + std::to_string(i + 1);
        for (int e = 0; e < 10; ++e) {
            Event event;
            event.Flags = static_cast<uint16_t>(EventClockTime | EventAllDays | (e % 2 ? 0 : EventOn));
            event.Time = DateToSeconds(makeDateTimeRec(0, 0, 0, (i + e) % 24, e * 5));
            event.Brightness = static_cast<uint16_t>(e % 9 + 1);
            module.events.push_back(event);
        }
        content.modules.push_back(std::move(module));
    }
    return content;
}

bool report(const char *what, qint64 milliseconds)
{
    const bool fast = milliseconds < 500;
    std::printf("%-36s %6lld ms (%s 500 ms)\n", what, static_cast<long long>(milliseconds), fast ? "under" : "NOT under");
    return fast;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationName(QStringLiteral("Tavorin Bench"));

    QTemporaryDir folder;
    const QString path = folder.filePath("large.cp290");
    std::string error;
    if (!writeDocumentFile(path.toStdString(), largeContent(), &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }

    DocumentController documents;
    QElapsedTimer timer;
    timer.start();
    QString openError;
    Modules *document = documents.openDocumentWithContentsOfFile(path, &openError);
    document->outline()->doItemsLayout();  // lay the rows out as the first paint would
    QApplication::processEvents();
    bool fast = report("open 2,000 modules, 20,000 events", timer.restart());
    if (!document) {
        std::fprintf(stderr, "%s\n", openError.toLocal8Bit().constData());
        return 1;
    }
    document->expandAll();
    document->outline()->doItemsLayout();
    document->outline()->viewport()->repaint();
    QApplication::processEvents();
    fast &= report("expand all", timer.restart());
    std::printf("%-36s %6d\n", "visible rows", document->outline()->numberOfRows());
    QString saveError;
    document->writeToFile(folder.filePath("saved.cp290"), &saveError);
    fast &= report("save", timer.restart());
    return fast ? 0 : 1;
}
