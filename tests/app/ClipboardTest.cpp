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
    Modules *open(const QString &name) { return openDocument(documents, folder, letters(), name); }
    static QString names(const Modules &document)
    {
        QString text;
        for (const Module &m : document.modules())
            text += QString::fromStdString(m.name);
        return text;
    }
    static void select(Modules *document, std::initializer_list<OutlineItem> items)
    {
        bool first = true;
        for (const OutlineItem &item : items) {
            document->outline()->selectRowByExtendingSelection(document->outline()->rowForItem(item), !first);
            first = false;
        }
    }
    QTemporaryDir folder;
    DocumentController documents;
};

}  // namespace

TEST_F(Clipboard, ForeignOrBrokenClipboardContentChangesNothing)
{
    Modules *document = open("one.cp290");
    const std::vector<Module> before = document->modules();
    for (const QByteArray &content : {QByteArray("text under our name"), QByteArray(), QByteArray("bplist00\x01\x02", 10)}) {
        for (const char *type : {ModulesPasteboardType, EventsPasteboardType}) {
            auto *pasteboard = new QMimeData;
            pasteboard->setData(type, content);
            QApplication::clipboard()->setMimeData(pasteboard);
            select(document, {{1, 0}});
            document->paste();
            EXPECT_EQ(document->modules(), before) << type;
        }
    }
}

// Dragging inside and between windows is walked with the mouse in tests/real/drag-and-drop.sh.
TEST_F(Clipboard, DropFromOutsideTheApplicationIsRefusedByTheOutline)
{
    Modules *document = open("one.cp290");
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

// A drop between two windows is one step in each, undone in each alone (a paste's one step is
// walked in tests/real/undo-redo.sh).
TEST_F(Clipboard, DropBetweenDocumentsIsUndoneAsOneStepInEach)
{
    Modules *first = open("one.cp290");
    Modules *second = open("two.cp290");
    QMimeData pasteboard;
    ASSERT_TRUE(first->outlineViewWriteItemsToPasteboard({{0, -1}}, &pasteboard));
    OutlineItem parent;
    int childIndex = 2;
    ASSERT_TRUE(second->outlineViewValidateDropProposedItemProposedChildIndex(&pasteboard, first->outline(), &parent, &childIndex));
    ASSERT_TRUE(second->outlineViewAcceptDropItemChildIndex(&pasteboard, first->outline(), parent, childIndex));
    EXPECT_EQ(names(*first), "bcde");
    EXPECT_EQ(names(*second), "abacde");
    EXPECT_EQ(first->undoActionName(), "Drag");
    EXPECT_EQ(second->undoActionName(), "Drag");
    second->undo();
    EXPECT_EQ(names(*second), "abcde");
    EXPECT_EQ(names(*first), "bcde") << "the other document keeps its own step";
    first->undo();
    EXPECT_EQ(names(*first), "abcde");
    EXPECT_FALSE(first->isDocumentEdited());
}
