#include "platform/qt/UndoKeys.h"

#include "platform/qt/FocusedText.h"

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
    const QLineEdit *field = lineEditOf(watched);
    if (!field)
        return false;
    // Kept from the field, the keys are not taken as its own and reach the menu's shortcut.
    return !(undo ? field->isUndoAvailable() : field->isRedoAvailable());
}
