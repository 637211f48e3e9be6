#include "document/Pasteboard.h"
#include "tests/support/Events.h"
#include "tests/support/WindowTests.h"
#include "widgets/OutlineModel.h"

#include <QDropEvent>
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
// document are walked with real input in tests/real/module-cells.sh, dragging in drag-and-drop.sh.
// Here: what a window manager's grab (Alt and a click) or another program (a drop) would bring.
class DocumentWindow : public ::testing::Test {
protected:
    Modules *open() { return openDocument(documents, folder, sampleContent()); }

    QTemporaryDir folder;
    DocumentController documents;
};

}  // namespace

TEST_F(DocumentWindow, AltClickOnATriangleExpandsEveryModuleAndMarksTheDocument)
{
    Modules *document = open();
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

TEST_F(DocumentWindow, DropFromOutsideTheApplicationIsRefused)
{
    Modules *document = open();
    document->window()->show();
    const std::vector<Module> before = document->content().modules();
    QMimeData pasteboard;
    pasteboard.setData(ModulesPasteboardType, QByteArray::fromStdString(modulesDragData({0})));
    const QPoint onSpare = document->outline()->visualRect(document->outline()->outlineModel()->indexOf({2, -1})).center();
    QDropEvent drop(onSpare, Qt::MoveAction, &pasteboard, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(document->outline()->viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(document->content().modules(), before);
}
