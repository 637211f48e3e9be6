#pragma once

// What the File menu asks of the window in front. Every window that carries the application's
// menus says how its own content is saved, printed and laid out on pages, so that a command
// always acts on the window the user sees.
class WindowCommands {
public:
    virtual ~WindowCommands() = default;
    virtual void saveDocument() = 0;
    virtual void saveDocumentAs() = 0;
    virtual void printDocument() = 0;
    virtual void runPageLayout() = 0;
};
