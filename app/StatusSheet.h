#pragma once

#include "platform/StatusHooks.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class StatusSheetWindow;

// The one progress display: a bar from 0 to 130 that the driver advances while it blocks the main
// thread, shown as a window-modal sheet with a message. The sheet is made for each showing as a
// child of the window it covers, so it lives no longer than that window; the progress lives here.
class StatusSheet : public QObject, public ProgressIndicator {
    Q_OBJECT
public:
    explicit StatusSheet(QObject *parent = nullptr);
    ~StatusSheet() override;

    void begin(QWidget *window, const QString &message);
    void fill();  // the full bar, so that the end is seen
    void end();

    void incrementBy(double delta) override;
    void display() override;

    double value() const { return progress; }
    QString message() const { return text; }
    bool isVisible() const;

private:
    QPointer<StatusSheetWindow> sheet;
    QString text;
    double progress = 0;
};
