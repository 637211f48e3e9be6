#pragma once

#include "model/Records.h"

#include <QCoreApplication>
#include <vector>

class Modules;
class QObject;
struct DocumentSnapshot;

enum class EditCommand { Undo, Redo, Cut, Copy, Paste, Delete, SelectAll };

// A module document's editing commands: new modules and events where the selection says, delete,
// undo and redo, and which Edit menu commands the selection allows.
class ModulesEditing {
    Q_DECLARE_TR_FUNCTIONS(ModulesEditing)
public:
    explicit ModulesEditing(Modules &document);

    // Inserts modules, or events, as one block where a new one would go, in the order given, and
    // selects the block's first row.
    void insertModules(const std::vector<Module> &modules);
    void insertEvents(const std::vector<Event> &events);
    // Whether an Edit menu command can act on the selection, whatever the menu item is called.
    bool validateMenuItem(EditCommand command);
    // What Undo and Redo would take back or do again ("Delete", "Typing"); empty when nothing.
    QString undoActionName() const;
    QString redoActionName() const;

    void undo(QObject *sender = nullptr);
    void redo(QObject *sender = nullptr);
    void newModule(QObject *sender = nullptr);
    void newEvent(QObject *sender = nullptr);
    void deleteSelection(QObject *sender = nullptr);
    void selectAll(QObject *sender = nullptr);
    void edit(QObject *sender = nullptr);
    void endEdit(QObject *sender = nullptr);

private:
    void applySnapshot(const DocumentSnapshot &snapshot);

    Modules &document;
};
