#pragma once

#include <QAbstractItemModel>
#include <QStringList>

class OutlineDataSource;
struct OutlineItem;

// The thin model between the tree view and its data source: it owns nothing and asks the data
// source for every count, value and edit.
class OutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    OutlineModel(const QStringList &columnIdentifiers, QObject *parent = nullptr);

    void setDataSource(OutlineDataSource *source);
    void reload();
    const QStringList &identifiers() const { return columns; }
    void setColumnTitles(const QStringList &columnTitles) { titles = columnTitles; }

    OutlineItem itemOf(const QModelIndex &index) const;
    QModelIndex indexOf(const OutlineItem &item, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList columns;
    QStringList titles;
    OutlineDataSource *dataSource = nullptr;
};
