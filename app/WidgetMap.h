#pragma once

class QObject;

// Where things are on the screen, for whoever drives the application with real mouse and keys:
// when TAVORIN_WIDGET_MAP names a file, each SIGUSR1 makes the application write into it, at its
// next idle turn, the title of the active window, the focused control, and the screen rectangle of
// every visible control and outline row. Nothing happens when the variable is not set.
void installWidgetMapOnRequest(QObject *owner);
