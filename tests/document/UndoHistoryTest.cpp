#include "document/UndoHistory.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

std::vector<Module> named(std::initializer_list<const char *> names)
{
    std::vector<Module> modules;
    for (const char *name : names) {
        modules.push_back(module(0, 1, {clockEvent(EventOn, 7, 0)}));
        modules.back().name = name;
    }
    return modules;
}

std::string names(const DocumentSnapshot &state)
{
    std::string text;
    for (const Module &module : state.moduleRecords())
        text += module.name;
    return text;
}

DocumentSnapshot state(std::initializer_list<const char *> modules, std::vector<int> selected = {})
{
    return snapshotOf(named(modules), {1, 1}, std::move(selected), nullptr);
}

}  // namespace

// Undo, redo and the clean saved state are walked by their keys in tests/real/undo-redo.sh.
TEST(UndoHistory, ANewChangeAfterAnUndoDropsWhatCouldBeRedoneAndTheSavedStateWithIt)
{
    UndoHistory history;
    history.reset(state({"a", "b"}), true);
    EXPECT_FALSE(history.canUndo());
    history.record(state({"a"}), "Delete");
    history.markSaved();
    history.record(state({"a", "c"}), "New Module");
    EXPECT_EQ(names(history.undo()), "a");
    EXPECT_TRUE(history.isAtSavedState());
    EXPECT_EQ(names(history.undo()), "ab");
    EXPECT_EQ(history.redoName(), "Delete");
    history.record(state({"x"}), "Paste");
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(names(history.undo()), "ab");
    EXPECT_FALSE(history.isAtSavedState()) << "the state saved was the one dropped";
}

TEST(UndoHistory, EditsOfOneControlMergeUntilAnotherComesOrTheDocumentIsSaved)
{
    UndoHistory history;
    history.reset(state({"a"}), true);
    history.record(state({"ab"}), "Typing", "name");
    history.record(state({"abc"}), "Typing", "name");
    EXPECT_EQ(names(history.undo()), "a") << "one step";
    history.redo();
    history.markSaved();
    history.record(state({"abcd"}), "Typing", "name");
    EXPECT_EQ(names(history.undo()), "abc") << "the saved state stays a step of its own";
    history.redo();
    history.record(state({"abcd", "x"}), "New Module", "#1");
    history.record(state({"abcd", "x", "y"}), "New Module", "#2");
    EXPECT_EQ(names(history.undo()), "abcdx");
    // After an undo the same control starts a step of its own: nothing merges into what was undone.
    history.record(state({"abcd", "z"}), "New Module", "#2");
    EXPECT_EQ(names(history.current()), "abcdz");
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(names(history.undo()), "abcdx");
}

// A state shares each module that is the same as in the state before it; a renamed one is its own.
TEST(UndoHistory, StatesShareOnlyTheModulesThatAreTheSame)
{
    const DocumentSnapshot before = state({"a", "b"});
    std::vector<Module> renamed = named({"a", "b"});
    renamed[1].name = "B";
    const DocumentSnapshot after = snapshotOf(renamed, {1, 1}, {}, &before);
    EXPECT_EQ(after.modules[0], before.modules[0]);
    EXPECT_NE(after.modules[1], before.modules[1]);
    EXPECT_EQ(names(after), "aB");
}

TEST(UndoHistory, SelectionComesBackWithTheStateAndOnlyAHundredStepsAreKept)
{
    UndoHistory history;
    history.reset(state({"a", "b"}), true);
    history.setSelection({1});
    history.record(state({"a"}, {}), "Delete");
    EXPECT_EQ(history.undo().selectedRows, std::vector<int> {1});
    for (int step = 0; step < 150; ++step)
        history.record(state({"a"}), "Change", "#" + std::to_string(step));
    int steps = 0;
    while (history.canUndo()) {
        history.undo();
        ++steps;
    }
    EXPECT_EQ(steps, 100);
    EXPECT_FALSE(history.isAtSavedState()) << "the saved state fell off the end";

    // A save kept within the hundred steps is still found when the oldest steps go.
    history.reset(state({"a"}), false);
    for (int step = 0; step < 130; ++step) {
        history.record(state({"a"}), "Change", "#" + std::to_string(step));
        if (step == 49)
            history.markSaved();
    }
    for (int step = 0; step < 80; ++step)
        history.undo();
    EXPECT_TRUE(history.isAtSavedState());
    history.undo();
    EXPECT_FALSE(history.isAtSavedState());
}
