#include "widgets/OutlineModel.h"

#include "widgets/VekNSOutlineView.h"

// A module row's internal id is 0; an event row's is its module's index plus one.

OutlineModel::OutlineModel(const QStringList &columnIdentifiers, QObject *parent)
    : QAbstractItemModel(parent), columns(columnIdentifiers)
{
}

void OutlineModel::setDataSource(OutlineDataSource *source)
{
    beginResetModel();
    dataSource = source;
    endResetModel();
}

void OutlineModel::reload()
{
    beginResetModel();
    endResetModel();
}

OutlineItem OutlineModel::itemOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() == 0)
        return {index.row(), -1};
    return {static_cast<int>(index.internalId()) - 1, index.row()};
}

QModelIndex OutlineModel::indexOf(const OutlineItem &item, int column) const
{
    if (item.module < 0)
        return {};
    if (item.isModule())
        return createIndex(item.module, column, quintptr(0));
    return createIndex(item.event, column, quintptr(item.module + 1));
}

QModelIndex OutlineModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!dataSource || row < 0 || column < 0 || column >= columns.size())
        return {};
    if (!parent.isValid())
        return row < rowCount() ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (parent.internalId() != 0)
        return {};
    return row < rowCount(parent) ? createIndex(row, column, quintptr(parent.row() + 1)) : QModelIndex();
}

QModelIndex OutlineModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(static_cast<int>(child.internalId()) - 1, 0, quintptr(0));
}

int OutlineModel::rowCount(const QModelIndex &parent) const
{
    if (!dataSource || parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return dataSource->outlineViewNumberOfChildrenOfItem(nullptr);
    if (parent.internalId() != 0)
        return 0;
    const OutlineItem module = itemOf(parent);
    return dataSource->outlineViewNumberOfChildrenOfItem(&module);
}

int OutlineModel::columnCount(const QModelIndex &) const
{
    return static_cast<int>(columns.size());
}

bool OutlineModel::hasChildren(const QModelIndex &parent) const
{
    // Every module can be expanded, with events or without.
    return !parent.isValid() || (parent.internalId() == 0 && parent.column() == 0);
}

QVariant OutlineModel::data(const QModelIndex &index, int role) const
{
    if (!dataSource || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return dataSource->outlineViewObjectValueForTableColumnByItem(index.column(), itemOf(index));
}

bool OutlineModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!dataSource || !index.isValid() || role != Qt::EditRole)
        return false;
    dataSource->outlineViewSetObjectValueForTableColumnByItem(value, index.column(), itemOf(index));
    return true;
}

Qt::ItemFlags OutlineModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (dataSource && dataSource->outlineViewShouldEditTableColumnItem(index.column(), itemOf(index)))
        flags |= Qt::ItemIsEditable;
    if (index.internalId() != 0)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant OutlineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns.size())
        return {};
    return section < titles.size() ? titles[section] : columns[section];
}
