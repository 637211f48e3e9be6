#pragma once

#include <QObject>

// Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) go to the document's Undo and Redo from any text field that
// has nothing of its own to take back or do again, as they would from the outline; a field being
// typed in keeps them for its own typing.
class UndoKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
