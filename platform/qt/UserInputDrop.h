#pragma once

#include <QObject>

// While the CP290 is busy the main thread is blocked, and what the user clicks or types meanwhile
// must not be replayed once it is free again. For as long as this lives, mouse, wheel and key
// events are dropped; when it ends it drains what the window system queued during the work.
class UserInputDrop : public QObject {
public:
    UserInputDrop();
    ~UserInputDrop() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
