#include "document/UndoHistory.h"

std::vector<Module> DocumentSnapshot::moduleRecords() const
{
    std::vector<Module> records;
    records.reserve(modules.size());
    for (const auto &module : modules)
        records.push_back(*module);
    return records;
}

DocumentSnapshot snapshotOf(const std::vector<Module> &modules, const ClassicEventRepeat &repeat,
                            std::vector<int> selectedRows, const DocumentSnapshot *previous)
{
    DocumentSnapshot snapshot {{}, repeat, std::move(selectedRows)};
    snapshot.modules.reserve(modules.size());
    for (std::size_t index = 0; index < modules.size(); ++index) {
        const bool unchanged = previous && index < previous->modules.size() && *previous->modules[index] == modules[index];
        snapshot.modules.push_back(unchanged ? previous->modules[index] : std::make_shared<const Module>(modules[index]));
    }
    return snapshot;
}

void UndoHistory::reset(DocumentSnapshot state, bool saved)
{
    base = std::move(state);
    steps.clear();
    position = 0;
    savedPosition = saved ? std::optional<std::size_t>(0) : std::nullopt;
}

void UndoHistory::record(DocumentSnapshot after, const std::string &name, const std::string &mergeKey)
{
    const bool merges = !mergeKey.empty() && position > 0 && position == steps.size()
        && steps.back().mergeKey == mergeKey && savedPosition != position;
    if (merges) {
        steps.back().after = std::move(after);
        return;
    }
    steps.resize(position);
    if (savedPosition && *savedPosition > position)
        savedPosition.reset();  // the saved state was undone and is now out of reach
    steps.push_back({name, mergeKey, std::move(after)});
    ++position;
    if (steps.size() > StepsKept) {
        base = std::move(steps.front().after);
        steps.erase(steps.begin());
        --position;
        savedPosition = savedPosition && *savedPosition > 0 ? std::optional<std::size_t>(*savedPosition - 1) : std::nullopt;
    }
}

void UndoHistory::setSelection(std::vector<int> rows)
{
    (position == 0 ? base : steps[position - 1].after).selectedRows = std::move(rows);
}

void UndoHistory::setExpanded(std::size_t module, bool expanded)
{
    DocumentSnapshot &state = position == 0 ? base : steps[position - 1].after;
    if (module >= state.modules.size() || state.modules[module]->expanded == expanded)
        return;
    auto opened = std::make_shared<Module>(*state.modules[module]);
    opened->expanded = expanded;
    state.modules[module] = std::move(opened);
}

const DocumentSnapshot &UndoHistory::current() const
{
    return position == 0 ? base : steps[position - 1].after;
}

const std::string &UndoHistory::undoName() const
{
    static const std::string none;
    return canUndo() ? steps[position - 1].name : none;
}

const std::string &UndoHistory::redoName() const
{
    static const std::string none;
    return canRedo() ? steps[position].name : none;
}

const DocumentSnapshot &UndoHistory::undo()
{
    if (canUndo())
        --position;
    return current();
}

const DocumentSnapshot &UndoHistory::redo()
{
    if (canRedo())
        ++position;
    return current();
}
