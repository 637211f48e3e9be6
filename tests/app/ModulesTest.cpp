#include "widgets/OutlineModel.h"
#include "tests/support/Events.h"
#include "tests/support/WindowTests.h"

#include <QClipboard>
#include <QMimeData>
#include <QTest>

namespace {

// Three modules: a lamp with two events (expanded), a pump with one, an empty one.
DocumentFileContent sampleContent()
{
    DocumentFileContent content;
    content.modules = {module(0, 1, {clockEvent(EventOn | EventAllDays, 7, 0), clockEvent(EventAllDays, 22, 0)}),
                       module(1, 5, {clockEvent(EventOn | EventEvenDays, 8, 0)}, ModuleTypeAppliance),
                       module(2, 3, {})};
    content.modules[0].name = "Lamp";
    content.modules[0].expanded = true;
    content.modules[1].name = "Pump";
    content.modules[2].name = "Spare";
    return content;
}

// Cells typed into, Tab between them, New Event, Delete, the saved view and a file that is no
// document are walked with real input in tests/real/module-cells.sh.
class DocumentWindow : public ::testing::Test {
protected:
    Modules *open(const DocumentFileContent &content) { return openDocument(documents, folder, content); }

    QTemporaryDir folder;
    DocumentController documents;
};

}  // namespace

// The rules are the core's (OutlineSelection); the window asks them with its selection and clipboard.
TEST_F(DocumentWindow, MenuItemsFollowTheSelectionAndTheClipboard)
{
    Modules *document = open(sampleContent());
    VekNSOutlineView *outline = document->outline();
    QApplication::clipboard()->clear();
    outline->deselectAll();
    for (const EditCommand command : {EditCommand::Delete, EditCommand::Cut, EditCommand::Copy, EditCommand::Paste})
        EXPECT_FALSE(document->validateMenuItem(command)) << static_cast<int>(command);
    outline->selectRowByExtendingSelection(0, false);  // Lamp with one of its two events
    outline->selectRowByExtendingSelection(1, true);
    EXPECT_TRUE(document->validateMenuItem(EditCommand::Delete));
    EXPECT_FALSE(document->validateMenuItem(EditCommand::Copy));
    auto *events = new QMimeData;
    events->setData("CP290 Events", "x");
    QApplication::clipboard()->setMimeData(events);
    outline->selectRowByExtendingSelection(3, false);
    EXPECT_TRUE(document->validateMenuItem(EditCommand::Paste));
}

TEST_F(DocumentWindow, AltClickOnATriangleExpandsEveryModuleAndMarksTheDocument)
{
    Modules *document = open(sampleContent());
    document->window()->show();
    QApplication::setActiveWindow(document->window());
    VekNSOutlineView *outline = document->outline();
    const QRect pump = outline->visualRect(outline->outlineModel()->indexOf({1, -1}));
    const QPoint triangle(pump.left() - outline->indentation() / 2, pump.center().y());
    QTest::mouseClick(outline->viewport(), Qt::LeftButton, Qt::AltModifier, triangle);
    QApplication::processEvents();
    EXPECT_TRUE(outline->isItemExpanded({1, -1}));
    EXPECT_TRUE(outline->isItemExpanded({2, -1}));
    EXPECT_TRUE(document->isDocumentEdited());
    // The application remembers the last modifiers it saw: let go of Alt for the tests after.
    QTest::mouseClick(outline->viewport(), Qt::LeftButton, Qt::NoModifier, outline->viewport()->rect().bottomRight() - QPoint(2, 2));
}

