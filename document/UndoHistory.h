#pragma once

#include "model/Records.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Undo and redo over whole states of a document. A state shares every module it has in common
// with the state before it, so a step costs little more than what it changed.

struct DocumentSnapshot {
    std::vector<std::shared_ptr<const Module>> modules;
    ClassicEventRepeat repeat;
    std::vector<int> selectedRows;

    std::vector<Module> moduleRecords() const;
};

// The state of `modules`, sharing the modules `previous` holds unchanged at the same place.
DocumentSnapshot snapshotOf(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                            std::vector<int> selectedRows, const DocumentSnapshot *previous);

class UndoHistory {
public:
    static constexpr std::size_t StepsKept = 100;

    // Forgets every step: `state` is where undo stops, and it is the saved state when `saved`.
    void reset(DocumentSnapshot state, bool saved);
    // A change made: `name` says what it was ("Delete", "Typing"). A change with the merge key of
    // the step before it (the same control, still being used) joins that step.
    void record(DocumentSnapshot after, const std::string &name, const std::string &mergeKey = {});
    // The rows selected in the current state: undo brings back the selection as it was.
    void setSelection(std::vector<int> rows);
    // A module opened or closed by its triangle, which is no step of its own: undo to this state
    // brings it back as the user left it.
    void setExpanded(std::size_t module, bool expanded);

    const DocumentSnapshot &current() const;
    bool canUndo() const { return position > 0; }
    bool canRedo() const { return position < steps.size(); }
    const std::string &undoName() const;  // of the step undo takes back
    const std::string &redoName() const;
    const DocumentSnapshot &undo();       // the state to show
    const DocumentSnapshot &redo();

    void markSaved() { savedPosition = position; }
    bool isAtSavedState() const { return savedPosition == position; }

private:
    struct Step {
        std::string name, mergeKey;
        DocumentSnapshot after;
    };
    DocumentSnapshot base;
    std::vector<Step> steps;
    std::size_t position = 0;  // how many steps are done
    std::optional<std::size_t> savedPosition = 0;
};
