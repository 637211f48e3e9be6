#include "documentwindow/DocumentContent.h"

#include <QCoreApplication>

DocumentContent::DocumentContent(std::function<std::vector<int>()> selected) : selectedRows(std::move(selected))
{
}

void DocumentContent::startEmpty()
{
    setModules({});
    repeat = {1, 1};
    loaded = true;
}

void DocumentContent::setModules(std::vector<Module> modules)
{
    records = std::move(modules);
    items.resize(records.size());
    for (std::size_t index = 0; index < items.size(); ++index)
        items[index] = static_cast<int>(index);
}

void DocumentContent::replaceModule(int index, const Module &module)
{
    records[static_cast<std::size_t>(index)] = module;
}

void DocumentContent::setRepeatCounts(const ClassicEventRepeat &counts)
{
    repeat = counts;
}

bool DocumentContent::read(const QString &path, WindowState *window, QString *error)
{
    const DocumentReadResult read = readDocumentFile(path.toStdString());
    if (!read.content) {
        *error = QString::fromStdString(read.error);
        return false;
    }
    *window = {read.content->drawerOpen, read.content->selectedRows};
    repeat = read.content->eventRepeat;
    setModules(read.content->modules);
    loaded = true;
    changedOnReading = read.namesRepaired;
    filePath = path;
    return true;
}

bool DocumentContent::write(const QString &path, const WindowState &window, QString *error)
{
    const DocumentFileContent content {records, window.drawerOpen, window.selectedRows, repeat};
    std::string failure;
    if (!writeDocumentFile(path.toStdString(), content, &failure)) {
        *error = QString::fromStdString(failure);
        return false;
    }
    filePath = path;
    changes.markSaved();
    return true;
}

void DocumentContent::resetHistory()
{
    changes.reset(snapshot(), !changedOnReading);
}

void DocumentContent::recordChange()
{
    const QString name = changeName.isEmpty() ? QCoreApplication::translate("DocumentContent", "Change") : changeName;
    changes.record(snapshot(), name.toStdString(), changeMergeKey.toStdString());
}

void DocumentContent::show(const DocumentSnapshot &state)
{
    setModules(state.moduleRecords());
    repeat = state.repeat;
}

DocumentSnapshot DocumentContent::snapshot() const
{
    return snapshotOf(records, repeat, selectedRows(), &changes.current());
}

DocumentContent::NamedChange::NamedChange(DocumentContent &changed, const QString &name, const QString &mergeKey)
    : content(changed), outermost(changed.changesUnderWay++ == 0)
{
    if (!outermost)
        return;
    content.changeName = name;
    content.changeMergeKey = mergeKey.isEmpty() ? QStringLiteral("#%1").arg(++content.changeSerial) : mergeKey;
}

DocumentContent::NamedChange::~NamedChange()
{
    if (--content.changesUnderWay != 0)
        return;
    content.changeName.clear();
    content.changeMergeKey.clear();
    content.changes.setSelection(content.selectedRows());
}
