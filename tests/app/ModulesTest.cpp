#include "widgets/OutlineModel.h"
#include "tests/support/Events.h"
#include "tests/support/WindowTests.h"

#include <QClipboard>
#include <QDockWidget>
#include <QLineEdit>
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

class DocumentWindow : public ::testing::Test {
protected:
    Modules *open(const DocumentFileContent &content) { return openDocument(documents, folder, content); }
    QStringList names(const Modules &document) const
    {
        QStringList list;
        for (const Module &m : document.modules())
            list << QString::fromStdString(m.name);
        return list;
    }
    QLineEdit *editor(Modules &document)
    {
        QApplication::processEvents();
        for (QLineEdit *field : document.outline()->viewport()->findChildren<QLineEdit *>())
            if (field->isVisible())
                return field;
        return nullptr;
    }

    QTemporaryDir folder;
    DocumentController documents;
};

}  // namespace

TEST_F(DocumentWindow, NewEventIsInsertedSelectedAndItsModuleExpanded)
{
    // Where it lands is the core's (InsertPlan); the window opens the module and selects the row.
    Modules *document = open(sampleContent());
    VekNSOutlineView *outline = document->outline();
    outline->selectRowByExtendingSelection(outline->rowForItem({1, -1}), false);  // Pump, collapsed
    document->newEvent();
    EXPECT_EQ(document->modules()[1].events.size(), 2u);
    EXPECT_TRUE(document->modules()[1].expanded);
    EXPECT_TRUE(outline->isItemExpanded({1, -1}));
    EXPECT_EQ(outline->itemAtRow(outline->selectedRow()), (OutlineItem {1, 1}));
}

TEST_F(DocumentWindow, DeleteRemovesMixedSelectionsFromTheBottomUp)
{
    Modules *document = open(sampleContent());
    VekNSOutlineView *outline = document->outline();
    outline->selectRowByExtendingSelection(1, false);  // the lamp's first event
    outline->selectRowByExtendingSelection(3, true);   // Pump
    outline->selectRowByExtendingSelection(4, true);   // Spare
    EXPECT_EQ(outline->selectedRows(), (std::vector<int> {4, 3, 1}));
    document->deleteSelection();
    EXPECT_EQ(names(*document), QStringList {"Lamp"});
    ASSERT_EQ(document->modules()[0].events.size(), 1u);
    EXPECT_EQ(document->modules()[0].events[0].Time, timeOfDay(22, 0));
    EXPECT_EQ(document->outlineItems(), std::vector<int> {0});
    EXPECT_EQ(outline->numberOfRows(), 2);
}

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

TEST_F(DocumentWindow, ModuleCellsTakeKeystrokesThroughTheirFormatters)
{
    Modules *document = open(sampleContent());
    document->window()->show();
    QApplication::setActiveWindow(document->window());
    VekNSOutlineView *outline = document->outline();
    outline->selectRowByExtendingSelection(3, false);  // Pump, house B, unit 5
    outline->editColumnRowWithEventSelect(1, 3, true);
    QLineEdit *house = editor(*document);
    ASSERT_NE(house, nullptr);
    QTest::keyClicks(house, "q");
    EXPECT_EQ(house->text(), "B") << "a letter past P is refused";
    QTest::keyClicks(house, "c");
    EXPECT_EQ(house->text(), "C");
    QTest::keyClick(house, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(document->modules()[1].houseCode, 2);

    outline->editColumnRowWithEventSelect(2, 3, true);
    QLineEdit *unit = editor(*document);
    ASSERT_NE(unit, nullptr);
    unit->selectAll();
    QTest::keyClicks(unit, "m");
    EXPECT_EQ(unit->text(), "All Modules");
    QTest::keyClick(unit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(document->modules()[1].unit, 18);
    EXPECT_FALSE(document->modules()[1].events[0].has(EventOn)) << "all modules only switch off";
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

TEST_F(DocumentWindow, SavedViewComesBackOnReopen)
{
    Modules *document = open(sampleContent());
    VekNSOutlineView *outline = document->outline();
    outline->expandItem({1, -1});
    outline->selectRowByExtendingSelection(4, false);
    outline->selectRowByExtendingSelection(1, true);
    document->showHideEvents();
    const QString path = folder.filePath("saved.cp290");
    QString error;
    ASSERT_TRUE(document->writeToFile(path, &error)) << error.toStdString();
    EXPECT_FALSE(document->isDocumentEdited());
    const std::vector<Module> saved = document->modules();
    document->window()->close();
    QApplication::processEvents();

    Modules *again = documents.openDocumentWithContentsOfFile(path, &error);
    ASSERT_NE(again, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(again->modules(), saved);
    EXPECT_EQ(again->outline()->selectedRows(), (std::vector<int> {4, 1}));
    EXPECT_TRUE(again->outline()->isItemExpanded({1, -1}));
    EXPECT_TRUE(again->window()->findChild<QDockWidget *>("drawer")->isVisible());
    EXPECT_FALSE(again->isDocumentEdited());
    EXPECT_EQ(again->window()->windowTitle(), "saved.cp290[*]");
}

TEST_F(DocumentWindow, FileThatCannotBeReadOpensNothing)
{
    const QString path = folder.filePath("broken.cp290");
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a document");
    broken.close();
    QString error;
    EXPECT_EQ(documents.openDocumentWithContentsOfFile(path, &error), nullptr);
    EXPECT_EQ(error, "it is not a property list");
    EXPECT_TRUE(documents.documents().isEmpty());
}

TEST_F(DocumentWindow, TabInAModuleRowMovesEditingToTheNextCell)
{
    Modules *document = open(sampleContent());
    document->window()->show();
    QApplication::setActiveWindow(document->window());
    VekNSOutlineView *outline = document->outline();
    outline->selectRowByExtendingSelection(3, false);
    document->edit();
    QLineEdit *name = editor(*document);
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, "Well Pump");
    QTest::keyClick(name, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(document->modules()[1].name, "Well Pump");
    EXPECT_TRUE(outline->isEditing());
    EXPECT_EQ(outline->currentIndex().column(), 1) << "the house code cell";
}
