// Times the document window on a large house: 2,000 modules with 20,000 events opened, expanded
// all and saved, each under half a second; on the 22,000 rows expanded, Select All, Shift+End from
// the first row and a click after them, each settling within 100 ms of processor time; and every
// command that sets or restores a selection of all rows (Expand All and Collapse All, opening a
// file saved so, New Module, Delete with its undo and redo, paste of every module and its undo),
// each within 200 ms of processor time. Runs on the offscreen platform.
// Usage: bench-large-document [SCALE]: SCALE times as many modules (the bounds are not scaled,
// and are reported only for the first scale).

#include "bench/BenchHouse.h"
#include "document/DocumentFile.h"
#include "app/DocumentController.h"
#include "documentwindow/Modules.h"
#include "widgets/OutlineModel.h"
#include "widgets/VekNSOutlineView.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <ctime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

DocumentFileContent largeContent(int modules)
{
    DocumentFileContent content;
    for (int i = 0; i < modules; ++i)
        content.modules.push_back(benchModule(i, 10));
    return content;
}

double processorMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs a command the way input does, to the end of its repaint, and reports the processor time it
// took against `bound` milliseconds.
bool settlesWithin(double bound, const char *what, Modules *document, const std::function<void()> &change)
{
    const double start = processorMilliseconds();
    change();
    document->outline()->viewport()->repaint();
    QApplication::processEvents();
    const double took = processorMilliseconds() - start;
    const bool fast = took < bound;
    std::printf("%-44s %8.1f ms of CPU (%s %3.0f ms), %d rows, %d selected\n", what, took, fast ? "under" : "NOT under",
                bound, document->outline()->numberOfRows(), document->outline()->numberOfSelectedRows());
    return fast;
}

bool selectionSettles(const char *what, Modules *document, const std::function<void()> &change)
{
    return settlesWithin(100, what, document, change);
}

bool commandSettles(const char *what, Modules *document, const std::function<void()> &change)
{
    return settlesWithin(200, what, document, change);
}

void press(QWidget *target, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent down(QEvent::KeyPress, key, modifiers), up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &down);
    QApplication::sendEvent(target, &up);
}

void clickRow(VekNSOutlineView *outline, int row)
{
    const QPoint at = outline->visualRect(outline->outlineModel()->indexOf(outline->itemAtRow(row))).center();
    QMouseEvent down(QEvent::MouseButtonPress, at, outline->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, at, outline->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(outline->viewport(), &down);
    QApplication::sendEvent(outline->viewport(), &up);
}

bool report(const char *what, qint64 milliseconds)
{
    const bool fast = milliseconds < 500;
    std::printf("%-44s %8lld ms (%s 500 ms)\n", what, static_cast<long long>(milliseconds), fast ? "under" : "NOT under");
    return fast;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication application(argc, argv);
    const int scale = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const int moduleCount = 2000 * scale;
    QApplication::setOrganizationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationName(QStringLiteral("Tavorin Bench"));

    QTemporaryDir folder;
    const QString path = folder.filePath("large.cp290");
    std::string error;
    if (!writeDocumentFile(path.toStdString(), largeContent(moduleCount), &error)) {
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
    const std::string opened = "open " + std::to_string(moduleCount) + " modules, " + std::to_string(moduleCount * 10) + " events";
    bool fast = report(opened.c_str(), timer.restart());
    if (!document) {
        std::fprintf(stderr, "%s\n", openError.toLocal8Bit().constData());
        return 1;
    }
    document->outlineSource().expandAll();
    document->outline()->doItemsLayout();
    document->outline()->viewport()->repaint();
    QApplication::processEvents();
    fast &= report("expand all", timer.restart());
    std::printf("%-44s %8d\n", "visible rows", document->outline()->numberOfRows());
    QString saveError;
    document->writeToFile(folder.filePath("saved.cp290"), &saveError);
    fast &= report("save", timer.restart());

    VekNSOutlineView *outline = document->outline();
    outline->resize(700, 500);
    outline->show();
    QApplication::processEvents();
    outline->setFocus();
    bool settles = selectionSettles("Select All", document, [&] { press(outline, Qt::Key_A, Qt::ControlModifier); });
    settles &= selectionSettles("a click after Select All", document, [&] { clickRow(outline, 3); });
    settles &= selectionSettles("Shift+End", document, [&] { press(outline, Qt::Key_End, Qt::ShiftModifier); });
    settles &= selectionSettles("a click after Shift+End", document, [&] { press(outline, Qt::Key_Home, Qt::NoModifier); clickRow(outline, 2); });

    const auto selectAll = [&] { press(outline, Qt::Key_A, Qt::ControlModifier); };
    selectAll();
    settles &= commandSettles("Collapse All, all rows selected", document, [&] { document->outlineSource().collapseAll(); });
    settles &= commandSettles("Expand All, all rows selected", document, [&] { document->outlineSource().expandAll(); });
    selectAll();
    const QString allSelected = folder.filePath("all-selected.cp290");
    document->writeToFile(allSelected, &saveError);
    Modules *reopened = nullptr;
    settles &= commandSettles("open with all rows selected", document, [&] {
        reopened = documents.openDocumentWithContentsOfFile(allSelected, &openError);
        reopened->outline()->doItemsLayout();
        reopened->outline()->viewport()->repaint();
    });
    if (reopened)
        std::printf("%-44s %8d\n", "rows selected in the opened document", reopened->outline()->numberOfSelectedRows());

    selectAll();
    settles &= commandSettles("New Module, all rows selected", document, [&] { document->editing().newModule(); });
    document->editing().undo();

    selectAll();
    document->clipboard().copy();
    settles &= commandSettles("Delete of all rows", document, [&] { document->editing().deleteSelection(); });
    settles &= commandSettles("undo of the Delete of all rows", document, [&] { document->editing().undo(); });
    settles &= commandSettles("redo of the Delete of all rows", document, [&] { document->editing().redo(); });
    settles &= commandSettles("paste of every module", document, [&] { document->clipboard().paste(); });
    settles &= commandSettles("undo of the paste", document, [&] { document->editing().undo(); });
    return fast && settles ? 0 : 1;
}
