#pragma once

#include "document/WeekSchedule.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class Modules;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class SchedulePicture;

// The week ahead of the front document: for today and the next six days, what the CP290 holds
// when the helper sends the document a minute past that midnight. The days with their record
// counts on the left, the chosen day's picture, and the same in words below. It follows the
// document's edits, and the front document.
class ScheduleWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int Days = 7;

    explicit ScheduleWindow(std::function<Modules *()> frontDocument);

    void setDocument(Modules *document);
    Modules *document() const { return shownDocument; }
    QListWidget *dayList() const { return days; }
    SchedulePicture *picture() const { return dayPicture; }
    QString words() const;
    const std::vector<ScheduledDay> &schedule() const { return week; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refreshSoon();
    void refresh();
    void showDay(int index);
    void selectEvents(int module, const QList<int> &events);

    std::function<Modules *()> frontDocument;
    QPointer<Modules> shownDocument;
    std::vector<ScheduledDay> week;
    bool refreshPending = false;
    QLabel *title;
    QListWidget *days;
    SchedulePicture *dayPicture;
    QPlainTextEdit *dayWords;
};
