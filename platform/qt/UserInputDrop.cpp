#include "platform/qt/UserInputDrop.h"

#include <QCoreApplication>
#include <QEvent>

UserInputDrop::UserInputDrop()
{
    QCoreApplication::instance()->installEventFilter(this);
}

UserInputDrop::~UserInputDrop()
{
    // Input held back by the redraws during the work arrives now, and is dropped with the rest.
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    QCoreApplication::instance()->removeEventFilter(this);
}

bool UserInputDrop::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}
