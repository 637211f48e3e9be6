#pragma once

#include "document/FieldFormatters.h"

#include <QStyledItemDelegate>
#include <QValidator>

// Applies a formatter's keystroke check to a line edit: a refused key is undone, a replaced text
// shown with the formatter's selection. A text that is one of the cell's values as it stands
// (the text the cell opens with) is taken as it is: there is no keystroke to judge.
class FormatterValidator : public QValidator {
    Q_OBJECT
public:
    using PartialStringCheck = PartialCheck (*)(const std::string &, TextSelection, const std::string &, TextSelection);
    using LegalText = bool (*)(const std::string &);
    FormatterValidator(PartialStringCheck check, LegalText legal, QObject *parent);
    State validate(QString &input, int &position) const override;

private:
    PartialStringCheck check;
    LegalText legal;
};

// The outline's cells: module cells shown and edited through the formatters of their columns,
// names and event text as plain text.
class FormatterDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Logical columns of the outline.
    enum Column { NameColumn = 0, HouseColumn = 1, UnitColumn = 2, TypeColumn = 3 };

    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

    // The text of a cell's value: module cells through their column's formatter.
    static QString cellText(int column, const QVariant &value);

protected:
    bool eventFilter(QObject *editor, QEvent *event) override;
};
