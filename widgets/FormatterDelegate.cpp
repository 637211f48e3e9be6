#include "widgets/FormatterDelegate.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

bool legalHouseCode(const std::string &text)
{
    return houseCodeFormatter::stringForObjectValue(houseCodeFormatter::objectValueForString(text)) == text;
}

bool legalUnitNumber(const std::string &text)
{
    return moduleNumberFormatter::isPartialStringValid(text, {static_cast<int>(text.size()), 0}, text, {}).accepted
        || text == "All Lights" || text == "All Modules";
}

bool legalModuleType(const std::string &text)
{
    return text == "Appliance" || text == "Light" || text.empty();
}

}  // namespace

FormatterValidator::FormatterValidator(PartialStringCheck partialCheck, LegalText legalText, QObject *parent)
    : QValidator(parent), check(partialCheck), legal(legalText)
{
}

QValidator::State FormatterValidator::validate(QString &input, int &position) const
{
    const std::string proposed = input.toStdString();
    if (legal(proposed))
        return Acceptable;
    const PartialCheck answer = check(proposed, {position, 0}, proposed, {position, 0});
    if (answer.accepted)
        return Acceptable;
    if (answer.text == proposed)
        return Invalid;
    input = QString::fromStdString(answer.text);
    position = static_cast<int>(input.size());
    // The line edit places its cursor after validating; the selection comes a turn later.
    if (QPointer<QLineEdit> field = qobject_cast<QLineEdit *>(parent()))
        QTimer::singleShot(0, field, [field, selection = answer.selection] {
            if (field)
                field->setSelection(selection.start, selection.length);
        });
    return Acceptable;
}

QString FormatterDelegate::cellText(int column, const QVariant &value)
{
    if (value.typeId() != QMetaType::LongLong)
        return value.toString();
    const qlonglong number = value.toLongLong();
    switch (column) {
    case HouseColumn:
        return QString::fromStdString(houseCodeFormatter::stringForObjectValue(number));
    case UnitColumn:
        return QString::fromStdString(moduleNumberFormatter::stringForObjectValue(number));
    case TypeColumn:
        return QString::fromStdString(moduleTypeFormatter::stringForObjectValue(number));
    default:
        return QString::number(number);
    }
}

void FormatterDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = cellText(index.column(), index.data(Qt::DisplayRole));
}

QWidget *FormatterDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *field = new QLineEdit(parent);
    field->setFrame(false);
    const bool moduleRow = !index.parent().isValid();
    if (moduleRow && index.column() == HouseColumn)
        field->setValidator(new FormatterValidator(houseCodeFormatter::isPartialStringValid, legalHouseCode, field));
    else if (moduleRow && index.column() == UnitColumn)
        field->setValidator(new FormatterValidator(moduleNumberFormatter::isPartialStringValid, legalUnitNumber, field));
    else if (moduleRow && index.column() == TypeColumn)
        field->setValidator(new FormatterValidator(moduleTypeFormatter::isPartialStringValid, legalModuleType, field));
    return field;
}

// A menu opened over the cell, by the mouse or by its key, leaves the cell open: the Edit
// menu's Cut, Copy and Paste are for its text, and the keys come back to it once the menu goes.
bool FormatterDelegate::eventFilter(QObject *editor, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::MenuBarFocusReason || reason == Qt::PopupFocusReason)
            return false;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

void FormatterDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(cellText(index.column(), index.data(Qt::EditRole)));
}

void FormatterDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const std::string text = static_cast<QLineEdit *>(editor)->text().toStdString();
    const bool moduleRow = !index.parent().isValid();
    QVariant value = QString::fromStdString(text);
    if (moduleRow && index.column() == HouseColumn)
        value = qlonglong(houseCodeFormatter::objectValueForString(text));
    else if (moduleRow && index.column() == UnitColumn)
        value = qlonglong(moduleNumberFormatter::objectValueForString(text));
    else if (moduleRow && index.column() == TypeColumn)
        value = qlonglong(moduleTypeFormatter::objectValueForString(text));
    model->setData(index, value, Qt::EditRole);
}
