#pragma once

#include "document/DocumentFile.h"
#include "document/UndoHistory.h"
#include "model/Records.h"

#include <QString>
#include <functional>
#include <vector>

// A module document's content: its modules and repeat counts, the file it is kept in, and the
// history of its changes. Every change is recorded here as a named step; the outline's selection,
// which each state keeps, comes from whoever shows the document.
class DocumentContent {
public:
    // Names the change the command about to run makes. Every change it records is one step; the
    // selection before it stays with the state it started from. Nested, the outermost names it.
    class NamedChange {
    public:
        NamedChange(DocumentContent &content, const QString &name, const QString &mergeKey = {});
        ~NamedChange();
        NamedChange(const NamedChange &) = delete;
        NamedChange &operator=(const NamedChange &) = delete;

    private:
        DocumentContent &content;
        bool outermost;
    };

    // What a file says of the window that showed it last.
    struct WindowState {
        bool drawerOpen = false;
        std::vector<int64_t> selectedRows;
    };

    explicit DocumentContent(std::function<std::vector<int>()> selectedRows);

    const std::vector<Module> &modules() const { return records; }
    // The module numbers that stand for the modules as the outline's top-level items: 0 to n - 1.
    const std::vector<int> &outlineItems() const { return items; }
    const ClassicEventRepeat &repeatCounts() const { return repeat; }
    bool isLoaded() const { return loaded; }

    // A new document: no modules, each event sent once.
    void startEmpty();
    void setModules(std::vector<Module> modules);
    void replaceModule(int index, const Module &module);
    void setRepeatCounts(const ClassicEventRepeat &counts);

    // Reading refuses a file that is not a document and leaves the content as it was. Read, the
    // content's history starts again from it.
    bool read(const QString &path, WindowState *window, QString *error);
    bool write(const QString &path, const WindowState &window, QString *error);
    const QString &fileName() const { return filePath; }

    // Forgets every step: undo stops at the content as it is now.
    void resetHistory();
    // The change under way done: one step of the history, named by the change.
    void recordChange();
    bool isEdited() const { return !changes.isAtSavedState(); }
    bool isChanging() const { return changesUnderWay > 0; }
    UndoHistory &history() { return changes; }
    const UndoHistory &history() const { return changes; }
    // The content as a state of the history shows it.
    void show(const DocumentSnapshot &snapshot);

private:
    DocumentSnapshot snapshot() const;

    std::function<std::vector<int>()> selectedRows;
    std::vector<Module> records;
    std::vector<int> items;
    ClassicEventRepeat repeat;
    bool loaded = false;
    QString filePath;
    UndoHistory changes;
    // A repaired name makes the document differ from its file: saving it writes the repair.
    bool changedOnReading = false;
    QString changeName, changeMergeKey;
    int changesUnderWay = 0;
    int changeSerial = 0;
};
