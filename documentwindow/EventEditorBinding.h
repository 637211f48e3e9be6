#pragma once

#include "document/EditorFields.h"
#include "model/Records.h"

#include <QObject>

class EventEditorView;
class Modules;
class QCheckBox;

// The event editor of a module document: the drawer's controls loaded from and saved into the
// event selected in the outline, and the window's buttons following the selection.
class EventEditorBinding : public QObject {
    Q_OBJECT
public:
    explicit EventEditorBinding(Modules &document);

    // Binds the controls of the document's window, which exists by now.
    void connectEventEditor();
    // The window's buttons and the drawer follow the outline's selection; the event it leaves
    // is saved first.
    void applySelection();
    // The event now in the editor, or none.
    void setCurrent(int module, int event);
    void leaveEvent() { setCurrent(-1, -1); }
    const Event &newEventDefaults() const { return defaultEvent; }

    void loadEventData();
    void saveEventData();
    void moduleChanged();

public slots:
    void daysPopupChanged(QObject *sender = nullptr);
    void repeat(QObject *sender = nullptr);
    void today(QObject *sender = nullptr);
    void tomorrow(QObject *sender = nullptr);
    void eventOn(QObject *sender = nullptr);
    void eventOff(QObject *sender = nullptr);
    void sunrise(QObject *sender = nullptr);
    void sunset(QObject *sender = nullptr);
    void eventChanged(QObject *sender = nullptr);
    void resetEvent(QObject *sender = nullptr);

private:
    void doDaysPopupChanged();
    void setCurrentEvent(const Event &event);
    void riseSet(QCheckBox *changed);
    void checkDaysWarning();
    bool hasEvent() const { return currentModuleIndex >= 0 && currentEventIndex >= 0; }
    const Module &currentModule() const;
    const Event &currentEvent() const;
    EditorFields shownFields() const;
    EventEditorView &editor() const;
    void showSwitch(bool on);

    Modules &document;
    int currentModuleIndex = -1;
    int currentEventIndex = -1;
    Event defaultEvent;
    bool loadingEvent = false;
    EditorFields loadedFields;  // the current event's fields as loaded
};
