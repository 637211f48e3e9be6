#include "platform/qt/UndoKeys.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>

bool UndoKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo) || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
    if (!undo && !redo)
        return false;
    // A spin box's text is the line edit inside it.
    const auto *spinBox = qobject_cast<QAbstractSpinBox *>(watched);
    const auto *field = spinBox ? spinBox->findChild<QLineEdit *>() : qobject_cast<QLineEdit *>(watched);
    if (!field)
        return false;
    // Kept from the field, the keys are not taken as its own and reach the menu's shortcut.
    return !(undo ? field->isUndoAvailable() : field->isRedoAvailable());
}
