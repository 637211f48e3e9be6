#include "document/Pasteboard.h"
#include "tests/support/Events.h"
#include "tests/support/WindowTests.h"
#include "widgets/OutlineModel.h"

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>

namespace {

// Modules a to e; b holds three events and is expanded, d holds one and is collapsed.
DocumentFileContent letters()
{
    DocumentFileContent content;
    for (const char *name : {"a", "b", "c", "d", "e"}) {
        content.modules.push_back(module(0, static_cast<int>(content.modules.size()) + 1, {}));
        content.modules.back().name = name;
    }
    content.modules[1].events = {clockEvent(EventOn | EventAllDays, 1, 0), clockEvent(EventOn | EventAllDays, 2, 0),
                                 clockEvent(EventOn | EventAllDays, 3, 0)};
    content.modules[1].expanded = true;
    content.modules[3].events = {clockEvent(EventAllDays, 4, 0)};
    return content;
}

class Clipboard : public ::testing::Test {
protected:
    Modules *open() { return openDocument(documents, folder, letters()); }
    QTemporaryDir folder;
    DocumentController documents;
};

}  // namespace

TEST_F(Clipboard, ForeignOrBrokenClipboardContentChangesNothing)
{
    Modules *document = open();
    const std::vector<Module> before = document->modules();
    for (const QByteArray &content : {QByteArray("text under our name"), QByteArray(), QByteArray("bplist00\x01\x02", 10)}) {
        for (const char *type : {ModulesPasteboardType, EventsPasteboardType}) {
            auto *pasteboard = new QMimeData;
            pasteboard->setData(type, content);
            QApplication::clipboard()->setMimeData(pasteboard);
            document->outline()->selectRowByExtendingSelection(document->outline()->rowForItem({1, 0}), false);
            document->paste();
            EXPECT_EQ(document->modules(), before) << type;
        }
    }
}

// Dragging inside and between windows is walked with the mouse in tests/real/drag-and-drop.sh.
TEST_F(Clipboard, DropFromOutsideTheApplicationIsRefusedByTheOutline)
{
    Modules *document = open();
    document->window()->show();
    const std::vector<Module> before = document->modules();
    QMimeData pasteboard;
    pasteboard.setData(ModulesPasteboardType, QByteArray::fromStdString(modulesDragData({0})));
    const QPoint onC = document->outline()->visualRect(document->outline()->outlineModel()->indexOf({2, -1})).center();
    QDropEvent drop(onC, Qt::MoveAction, &pasteboard, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(document->outline()->viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(document->modules(), before);
}
