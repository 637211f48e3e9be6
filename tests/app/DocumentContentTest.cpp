#include "documentwindow/DocumentContent.h"
#include "tests/support/Events.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The document's content, file and history without a window: the selection comes from a plain
// variable standing in for the outline.

namespace {

class Content : public ::testing::Test {
protected:
    Content()
    {
        DocumentFileContent file;
        file.modules = {module(0, 1, {clockEvent(EventOn | EventAllDays, 7, 0)}), module(1, 5, {})};
        file.eventRepeat = {2, 3};
        std::string error;
        EXPECT_TRUE(writeDocumentFile(path.toStdString(), file, &error)) << error;
        QString readError;
        EXPECT_TRUE(content.read(path, &window, &readError)) << readError.toStdString();
        content.resetHistory();
    }

    void rename(int index, const std::string &name)
    {
        Module changed = content.modules()[static_cast<std::size_t>(index)];
        changed.name = name;
        content.replaceModule(index, changed);
        content.recordChange();
    }

    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("house.cp290"));
    std::vector<int> selection;
    DocumentContent content {[this] { return selection; }};
    DocumentContent::WindowState window;
};

TEST_F(Content, AFailedReadLeavesTheContentItsFileAndItsHistoryAsTheyWere)
{
    {
        const DocumentContent::NamedChange change(content, QStringLiteral("Typing"));
        rename(0, "Porch");
    }
    const std::vector<Module> before = content.modules();
    const QString hostile = folder.filePath(QStringLiteral("hostile.cp290"));
    QFile file(hostile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("bplist00\xff\xff\xff");
    file.close();

    QString error;
    EXPECT_FALSE(content.read(hostile, &window, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(content.modules(), before);
    EXPECT_EQ(content.repeatCounts(), (ClassicEventRepeat {2, 3}));
    EXPECT_EQ(content.fileName(), path);
    EXPECT_TRUE(content.isEdited());
    EXPECT_EQ(content.history().undoName(), "Typing");
    EXPECT_EQ(content.outlineItems(), (std::vector<int> {0, 1}));
}

TEST_F(Content, NestedChangesMakeOneStepNamedByTheOutermostThatKeepsTheSelectionAfterIt)
{
    selection = {1};
    content.history().setSelection(selection);
    {
        const DocumentContent::NamedChange cut(content, QStringLiteral("Cut"));
        {
            const DocumentContent::NamedChange deletion(content, QStringLiteral("Delete"));
            EXPECT_TRUE(content.isChanging());
            content.setModules({content.modules()[0]});
            content.recordChange();
        }
        rename(0, "Lamp");
        selection = {0};
    }
    EXPECT_FALSE(content.isChanging());
    EXPECT_EQ(content.history().undoName(), "Cut");
    EXPECT_EQ(content.history().current().selectedRows, (std::vector<int> {0}));
    const DocumentSnapshot &before = content.history().undo();
    EXPECT_EQ(before.moduleRecords().size(), 2U);
    EXPECT_EQ(before.selectedRows, (std::vector<int> {1}));
    EXPECT_FALSE(content.history().canUndo());
}

TEST_F(Content, ChangesOfOneFieldJoinAndAnotherFieldStartsAStep)
{
    for (const char *name : {"P", "Po", "Por"}) {
        const DocumentContent::NamedChange typing(content, QStringLiteral("Change Name"), QStringLiteral("Name 0"));
        rename(0, name);
    }
    {
        const DocumentContent::NamedChange other(content, QStringLiteral("Change Name"), QStringLiteral("Name 1"));
        rename(1, "Pump");
    }
    {
        const DocumentContent::NamedChange unnamed(content, QString());
        rename(1, "Pool Pump");
    }
    UndoHistory &history = content.history();
    EXPECT_EQ(history.undoName(), "Change");  // a change without a name of its own
    EXPECT_EQ(history.undo().moduleRecords()[1].name, "Pump");
    const std::vector<Module> typed = history.undo().moduleRecords();
    EXPECT_EQ(typed[1].name, "New Module");
    EXPECT_EQ(typed[0].name, "Por");
    EXPECT_EQ(history.undo().moduleRecords()[0].name, "New Module");  // the three keystrokes were one step
    EXPECT_FALSE(history.canUndo());
}

TEST_F(Content, SavingMarksTheContentSavedAndAWriteThatFailsDoesNot)
{
    {
        const DocumentContent::NamedChange change(content, QStringLiteral("Typing"));
        rename(0, "Porch");
    }
    QString error;
    EXPECT_FALSE(content.write(folder.filePath(QStringLiteral("missing/house.cp290")), window, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(content.isEdited());
    EXPECT_EQ(content.fileName(), path);

    const QString copy = folder.filePath(QStringLiteral("copy.cp290"));
    ASSERT_TRUE(content.write(copy, {true, {1}}, &error)) << error.toStdString();
    EXPECT_FALSE(content.isEdited());
    EXPECT_EQ(content.fileName(), copy);
    DocumentContent again {[] { return std::vector<int>(); }};
    DocumentContent::WindowState shown;
    ASSERT_TRUE(again.read(copy, &shown, &error));
    EXPECT_EQ(again.modules(), content.modules());
    EXPECT_TRUE(shown.drawerOpen);
    EXPECT_EQ(shown.selectedRows, (std::vector<int64_t> {1}));
}

}  // namespace
