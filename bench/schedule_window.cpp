// Times the Schedule window on 2,000 modules of 5 events that fit the CP290's 128 records (each
// house's modules switch together, so records merge): the week computed with the download's
// encoder, the day shown and painted as the window shows it; and again after an edit, as the
// window follows it. Runs on the offscreen platform.

#include "app/DocumentController.h"
#include "app/ScheduleWindow.h"
#include "bench/BenchHouse.h"
#include "documentwindow/Modules.h"
#include "platform/Location.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setLocationOverride(Location {41, -74, -18000});
    DocumentFileContent content;
    for (int i = 0; i < 2000; ++i) {
        content.modules.push_back(benchModule(i, 5));
        for (int e = 0; e < 5; ++e)
            content.modules.back().events[static_cast<std::size_t>(e)].Time = DateToSeconds(makeDateTimeRec(0, 0, 0, 6 + 3 * e, 0));
    }
    QTemporaryDir folder;
    const QString path = folder.filePath("large.cp290");
    std::string error;
    if (!writeDocumentFile(path.toStdString(), content, &error))
        return 1;
    DocumentController documents;
    QString openError;
    Modules *document = documents.openDocumentWithContentsOfFile(path, &openError);
    if (!document)
        return 1;

    ScheduleWindow window([document] { return document; });
    window.show();
    QElapsedTimer timer;
    timer.start();
    window.setDocument(document);
    const QImage first = window.grab().toImage();
    const double shown = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    timer.restart();
    document->outline()->selectRowByExtendingSelection(0, false);
    document->editing().deleteSelection();
    QApplication::processEvents();
    const QImage second = window.grab().toImage();
    const double followed = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    std::printf("2,000 modules, 10,000 events, %d records a day: the week computed and the first day painted in "
                "%.0f ms (%d marks that day); after an edit, again in %.0f ms\n",
                static_cast<int>(window.schedule().front().records.size()), shown,
                static_cast<int>(window.schedule().front().marks.size()), followed);
    return first.isNull() || second.isNull() ? 1 : 0;
}
