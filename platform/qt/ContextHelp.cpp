#include "platform/qt/ContextHelp.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

namespace {

const char *const HelpAnchorProperty = "helpAnchor";

}  // namespace

QString helpAnchorOf(const QObject *sender, const IsHelpAnchor &isAnchor)
{
    for (const QObject *place = sender; place; place = place->parent()) {
        QStringList candidates {place->property(HelpAnchorProperty).toString()};
        if (const auto *item = qobject_cast<const QAction *>(place))
            candidates << item->text();
        else if (const auto *control = qobject_cast<const QAbstractButton *>(place); control && place == sender)
            candidates << control->text();
        for (QString candidate : candidates)
            if (!candidate.isEmpty() && isAnchor(candidate.remove(QLatin1Char('&'))))
                return candidate;
        // A menu item's place is the menu it was chosen from, wherever Qt parents it.
        if (const auto *item = qobject_cast<const QAction *>(place); item && !item->associatedObjects().isEmpty()) {
            for (const QObject *menu : item->associatedObjects())
                if (qobject_cast<const QMenu *>(menu))
                    if (const QString anchor = helpAnchorOf(menu, isAnchor); !anchor.isEmpty())
                        return anchor;
        }
    }
    return {};
}

void setHelpAnchor(QObject *object, const QString &anchor)
{
    object->setProperty(HelpAnchorProperty, anchor);
}

QPushButton *newHelpButton(const QString &anchor, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("?"), parent);
    setHelpAnchor(button, anchor);
    button->setToolTip(QApplication::translate("ContextHelp", "Help: %1").arg(anchor));
    button->setAccessibleName(QApplication::translate("ContextHelp", "Help"));
    button->setAutoDefault(false);
    button->setFixedWidth(button->sizeHint().height() + 4);
    return button;
}

ContextHelpKey::ContextHelpKey(ShowHelp show, QObject *parent) : QObject(parent), showHelp(std::move(show))
{
}

bool ContextHelpKey::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1)
        return false;
    QWidget *popup = QApplication::activePopupWidget();
    if (auto *menu = qobject_cast<QMenu *>(popup); menu && menu->activeAction()) {
        QAction *item = menu->activeAction();
        for (; popup; popup = QApplication::activePopupWidget())
            popup->close();
        showHelp(item);
    } else if (QWidget *asking = QApplication::focusWidget()) {
        showHelp(asking);
    }
    return true;
}
