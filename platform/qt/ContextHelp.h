#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QPushButton;
class QWidget;

// Help is opened at the anchor named by the title of the control that asks for it. A control, or
// the place it sits in (a sheet, a group, the drawer, a menu, an alert), may name its anchor
// instead; a control whose title and anchor name no place in the book asks for the anchor of the
// place around it, and so on outwards. Empty when nothing on the way is in the book.
using IsHelpAnchor = std::function<bool(const QString &anchor)>;
QString helpAnchorOf(const QObject *sender, const IsHelpAnchor &isAnchor);
void setHelpAnchor(QObject *object, const QString &anchor);

// A "?" button that asks for the help of its place.
QPushButton *newHelpButton(const QString &anchor, QWidget *parent);

// F1 asks the focused control, or the highlighted menu item, for its help.
class ContextHelpKey : public QObject {
public:
    using ShowHelp = std::function<void(QObject *sender)>;
    ContextHelpKey(ShowHelp showHelp, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ShowHelp showHelp;
};
