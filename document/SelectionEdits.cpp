#include "document/SelectionEdits.h"

#include <algorithm>

std::vector<Module> modulesAfterDelete(const std::vector<Module> &modules, const std::vector<SelectedItem> &selected)
{
    std::vector<bool> moduleGoes(modules.size(), false);
    std::vector<std::vector<bool>> eventGoes(modules.size());
    for (std::size_t m = 0; m < modules.size(); ++m)
        eventGoes[m].assign(modules[m].events.size(), false);
    for (const SelectedItem &row : selected) {
        if (row.module < 0 || row.module >= static_cast<int>(modules.size()))
            continue;
        const auto module = static_cast<std::size_t>(row.module);
        if (row.event < 0)
            moduleGoes[module] = true;
        else if (row.event < static_cast<int>(modules[module].events.size()))
            eventGoes[module][static_cast<std::size_t>(row.event)] = true;
    }
    std::vector<Module> left;
    for (std::size_t m = 0; m < modules.size(); ++m) {
        if (moduleGoes[m])
            continue;
        Module kept = modules[m];
        kept.events.clear();
        for (std::size_t e = 0; e < modules[m].events.size(); ++e)
            if (!eventGoes[m][e])
                kept.events.push_back(modules[m].events[e]);
        left.push_back(std::move(kept));
    }
    return left;
}

std::vector<Module> copiedModules(const std::vector<Module> &modules, const std::vector<SelectedItem> &selected)
{
    std::vector<Module> copied;
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        if (row->event < 0 && row->module >= 0 && row->module < static_cast<int>(modules.size()))
            copied.push_back(modules[static_cast<std::size_t>(row->module)]);
    return copied;
}

std::vector<Event> copiedEvents(const std::vector<Module> &modules, const std::vector<SelectedItem> &selected)
{
    std::vector<Event> copied;
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        if (row->event < 0 || row->module < 0 || row->module >= static_cast<int>(modules.size()))
            continue;
        const std::vector<Event> &events = modules[static_cast<std::size_t>(row->module)].events;
        if (row->event < static_cast<int>(events.size()))
            copied.push_back(events[static_cast<std::size_t>(row->event)]);
    }
    return copied;
}
