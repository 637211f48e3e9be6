#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>

class QLineEdit;

// The text that has the keyboard focus in a window: a field of the event editor, a cell being
// edited, a listing. The Edit menu's Cut, Copy, Paste, Delete and Select All act on it, as its own
// keys do, rather than on the rows of an outline behind it.
class FocusedText {
public:
    enum class Command { Cut, Copy, Paste, Delete, SelectAll };

    // The focused text of `window` (the active one, whose keys it would have), when its focus is
    // in one, with what is selected in it now.
    static std::optional<FocusedText> in(const QWidget *window);

    bool canPerform(Command command) const;
    // Acts on the text as it was found: a field that lost its selection to the menu bar since
    // has it selected again first.
    void perform(Command command);

private:
    explicit FocusedText(QWidget *text);
    bool selectedInField(const QLineEdit *line) const;
    QPointer<QWidget> widget;  // a QLineEdit, QPlainTextEdit or QTextEdit
    QString fieldText;         // a QLineEdit's text and selection when found
    int selectionStart = -1, selectionLength = 0;
};

// The line edit that holds a widget's text: the widget itself, or the one inside a spin box.
QLineEdit *lineEditOf(QObject *widget);
