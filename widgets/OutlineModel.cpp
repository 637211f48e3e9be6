#include "widgets/OutlineModel.h"

#include "widgets/OutlineDataSource.h"

namespace {

// A module row's internal id is 0; an event row's is its module's index plus one, times an odd
// constant. Item views keep a selection as persistent indices in a hash table whose slot comes
// from row * 16 + column + internal id without mixing: ids that differ only from the rows up
// would pile a large selection onto a few slots. The product spreads them, and the constant's
// inverse modulo 2^64 gives the module back.
constexpr quint64 Spread = 0x9E3779B97F4A7C15u;
constexpr quint64 SpreadInverse = 0xF1DE83E19937733Du;
static_assert(Spread * SpreadInverse == 1 && sizeof(quintptr) == sizeof(quint64));

quintptr eventRowId(int module)
{
    return static_cast<quintptr>(quint64(module + 1) * Spread);
}

int moduleOfEventRow(quintptr id)
{
    return static_cast<int>(quint64(id) * SpreadInverse) - 1;
}

}  // namespace

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
    return {moduleOfEventRow(index.internalId()), index.row()};
}

QModelIndex OutlineModel::indexOf(const OutlineItem &item, int column) const
{
    if (item.module < 0)
        return {};
    if (item.isModule())
        return createIndex(item.module, column, quintptr(0));
    return createIndex(item.event, column, eventRowId(item.module));
}

QModelIndex OutlineModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!dataSource || row < 0 || column < 0 || column >= columns.size())
        return {};
    if (!parent.isValid())
        return row < rowCount() ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (parent.internalId() != 0)
        return {};
    return row < rowCount(parent) ? createIndex(row, column, eventRowId(parent.row())) : QModelIndex();
}

QModelIndex OutlineModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(moduleOfEventRow(child.internalId()), 0, quintptr(0));
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
    // Every row may be dragged and dropped on; the data source decides what a drag carries and
    // where a drop lands.
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
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
