#pragma once

#include "platform/StatusHooks.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// The one progress display: a window-modal sheet with a message and a bar from 0 to 130 that the
// driver advances while it blocks the main thread.
class StatusSheet : public QDialog, public ProgressIndicator {
    Q_OBJECT
public:
    explicit StatusSheet(QWidget *parent = nullptr);

    void begin(QWidget *window, const QString &message);
    void fill();  // the full bar, so that the end is seen
    void end();

    void incrementBy(double delta) override;
    void display() override;

    double value() const { return progress; }
    QString message() const;

private:
    QLabel *messageLabel;
    QProgressBar *bar;
    double progress = 0;
};
