#include "platform/qt/FocusedText.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

using Command = FocusedText::Command;

bool canPerformWith(bool selected, bool readOnly, bool canPaste, bool empty, Command command)
{
    switch (command) {
    case Command::Copy: return selected;
    case Command::Cut:
    case Command::Delete: return selected && !readOnly;
    case Command::Paste: return !readOnly && canPaste;
    case Command::SelectAll: return !empty;
    }
    return false;
}

void deleteSelection(QLineEdit *line)
{
    line->del();
}

template <typename TextBox> void deleteSelection(TextBox *box)
{
    box->textCursor().removeSelectedText();
}

// A line edit and the two kinds of text box share these names but no base class.
template <typename Text> void performOn(Text *text, Command command)
{
    switch (command) {
    case Command::Cut: text->cut(); break;
    case Command::Copy: text->copy(); break;
    case Command::Paste: text->paste(); break;
    case Command::Delete: deleteSelection(text); break;
    case Command::SelectAll: text->selectAll(); break;
    }
}

template <typename TextBox> bool canPerformOn(const TextBox *box, Command command)
{
    return canPerformWith(box->textCursor().hasSelection(), box->isReadOnly(), box->canPaste(), box->document()->isEmpty(), command);
}

// Calls `action` with a text box as what it is; false when it is none.
template <typename Action> bool asTextBox(QWidget *widget, Action &&action)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        return action(plain), true;
    if (auto *rich = qobject_cast<QTextEdit *>(widget))
        return action(rich), true;
    return false;
}

}  // namespace

QLineEdit *lineEditOf(QObject *widget)
{
    if (const auto *spinBox = qobject_cast<QAbstractSpinBox *>(widget))
        return spinBox->findChild<QLineEdit *>();
    return qobject_cast<QLineEdit *>(widget);
}

std::optional<FocusedText> FocusedText::in(const QWidget *window)
{
    // The window's own focus, which a menu open over it does not take.
    QWidget *focus = window ? window->focusWidget() : nullptr;
    if (!focus || !focus->isVisible())
        return std::nullopt;
    if (QLineEdit *line = lineEditOf(focus))
        return FocusedText(line);
    if (asTextBox(focus, [](auto *) {}))
        return FocusedText(focus);
    return std::nullopt;
}

FocusedText::FocusedText(QWidget *text) : widget(text)
{
    if (const auto *line = qobject_cast<QLineEdit *>(text); line && line->hasSelectedText()) {
        fieldText = line->text();
        selectionStart = line->selectionStart();
        selectionLength = static_cast<int>(line->selectedText().size());
    }
}

// A field's selection as it was found, unless it was typed over since.
bool FocusedText::selectedInField(const QLineEdit *line) const
{
    return line->hasSelectedText() || (selectionStart >= 0 && line->text() == fieldText);
}

bool FocusedText::canPerform(Command command) const
{
    if (const auto *line = qobject_cast<QLineEdit *>(widget.data())) {
        const QMimeData *clipboard = QApplication::clipboard()->mimeData();
        return canPerformWith(selectedInField(line), line->isReadOnly(), clipboard && clipboard->hasText(), line->text().isEmpty(), command);
    }
    bool can = false;
    asTextBox(widget, [&](auto *box) { can = canPerformOn(box, command); });
    return can;
}

void FocusedText::perform(Command command)
{
    if (!canPerform(command))
        return;
    if (auto *line = qobject_cast<QLineEdit *>(widget.data())) {
        if (!line->hasSelectedText() && selectedInField(line))
            line->setSelection(selectionStart, selectionLength);
        return performOn(line, command);
    }
    asTextBox(widget, [&](auto *box) { performOn(box, command); });
}
