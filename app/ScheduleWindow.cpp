#include "app/ScheduleWindow.h"

#include "documentwindow/Modules.h"
#include "platform/DateTime.h"
#include "platform/qt/ContextHelp.h"
#include "widgets/OutlineModel.h"
#include "widgets/ScheduleLegend.h"
#include "widgets/SchedulePicture.h"

#include <QGuiApplication>
#include <QWindow>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

int minuteOf(uint32_t timeOfDay)
{
    return timeOfDay == SunNeverRisesOrSets ? -1 : minuteOfDay(timeOfDay);
}

QString clockText(uint32_t timeOfDay)
{
    const int minute = minuteOfDay(timeOfDay), hour = minute / 60;
    return QStringLiteral("%1:%2 %3")
        .arg(twelveHourClockHour(hour), 2, 10, QLatin1Char('0'))
        .arg(minute % 60, 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString dayTitle(const ScheduledDay &day)
{
    DateTimeRec date;
    SecondsToDate(day.midnight, &date);
    const QString when = QStringLiteral("%1 %2/%3").arg(QString::fromLatin1(shortWeekdayName(date)))
                             .arg(date.month, 2, 10, QLatin1Char('0')).arg(date.day, 2, 10, QLatin1Char('0'));
    const QString sun = day.sun.sunrise == SunNeverRisesOrSets
                            ? ScheduleWindow::tr("no sunrise or sunset")
                            : ScheduleWindow::tr("sun %1 – %2").arg(clockText(day.sun.sunrise), clockText(day.sun.sunset));
    if (day.tooManyEvents)
        return ScheduleWindow::tr("%1   more than %2, kept\n%3").arg(when).arg(CP290TimerRecordCount).arg(sun);
    return ScheduleWindow::tr("%1   %2 of %3%4\n%5").arg(when).arg(day.records.size()).arg(CP290TimerRecordCount)
        .arg(day.kept ? ScheduleWindow::tr(", kept") : QString(), sun);
}

QString dayWordsOf(const ScheduledDay &day, const std::vector<Module> &modules)
{
    DateTimeRec date;
    SecondsToDate(day.midnight, &date);
    QString text = ScheduleWindow::tr("What the CP290 holds on %1, sent at 12:01 AM:\n\n")
                       .arg(QString::fromStdString(formatIsoDate(date)));
    if (day.tooManyEvents) {
        text += QStringLiteral("%1\n%2\n").arg(QString::fromLatin1(TooManyEventsTitle), QString::fromLatin1(TooManyEventsMessage));
        text += ScheduleWindow::tr("\nThe records each module needs that day, the most first:\n");
        for (const auto &[module, records] : day.recordsByModule)
            text += QStringLiteral("  %1  %2\n")
                        .arg(records > CP290TimerRecordCount ? ScheduleWindow::tr("more than %1").arg(CP290TimerRecordCount)
                                                             : QString::number(records), 5)
                        .arg(QString::fromStdString(modules[static_cast<std::size_t>(module)].name));
        text += QStringLiteral("\n");
    }
    if (day.kept)
        text += QString::fromStdString(keptText(day)) + QStringLiteral("\n");
    if (!day.kept || day.keptFrom)
        text += QString::fromStdString(listingLines(day.records));
    return text;
}

}  // namespace

ScheduleWindow::ScheduleWindow(std::function<Modules *()> front) : frontDocument(std::move(front))
{
    setWindowTitle(tr("Schedule"));
    setHelpAnchor(this, QStringLiteral("Schedule"));
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    title = new QLabel(content);
    layout->addWidget(title);
    auto *split = new QSplitter(Qt::Vertical, content);
    auto *top = new QSplitter(Qt::Horizontal, split);
    days = new QListWidget(top);
    days->setObjectName(QStringLiteral("scheduleDays"));
    days->setMinimumWidth(days->fontMetrics().horizontalAdvance(QStringLiteral("Mon 12/07   128 of 128, kept")) + 24);
    days->setMaximumWidth(days->minimumWidth() + 60);
    auto *scroll = new QScrollArea(top);
    scroll->setObjectName(QStringLiteral("scheduleScroll"));
    dayPicture = new SchedulePicture(scroll);
    dayPicture->setObjectName(QStringLiteral("schedulePicture"));
    scroll->setWidget(dayPicture);
    scroll->setWidgetResizable(true);
    dayWords = new QPlainTextEdit(split);
    dayWords->setReadOnly(true);
    dayWords->setFont(QFont(QStringLiteral("Monospace")));
    auto *legend = new ScheduleLegend(content);
    layout->insertWidget(1, legend);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    layout->addWidget(split);
    setCentralWidget(content);
    resize(1000, 640);

    connect(days, &QListWidget::currentRowChanged, this, &ScheduleWindow::showDay);
    connect(dayPicture, &SchedulePicture::marksClicked, this, &ScheduleWindow::selectEvents);
    // The front document is the one shown.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (!isVisible())
            return;
        if (Modules *inFront = this->frontDocument(); inFront && inFront != shownDocument)
            setDocument(inFront);
    });
}

void ScheduleWindow::setDocument(Modules *document)
{
    if (shownDocument)
        disconnect(shownDocument, nullptr, this, nullptr);
    shownDocument = document;
    if (document) {
        connect(document, &Modules::changeStateChanged, this, &ScheduleWindow::refreshSoon);
        connect(document, &Modules::fileNameChanged, this, &ScheduleWindow::refreshSoon);
    }
    refresh();
}

// Edits come in runs (a paste records each module): one refresh after them.
void ScheduleWindow::refreshSoon()
{
    if (refreshPending)
        return;
    refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        refreshPending = false;
        refresh();
    });
}

void ScheduleWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    refresh();
}

// A hidden window computes nothing: the week is computed again when it shows.
void ScheduleWindow::refresh()
{
    if (!isVisible())
        return;
    const int chosen = std::max(0, days->currentRow());
    week.clear();
    if (shownDocument)
        week = weekSchedule(shownDocument->content().modules(), shownDocument->content().repeatCounts(), GetDateTime(), Days);
    QString heading = shownDocument ? tr("The week ahead of \"%1\", as the helper sends it after each midnight:")
                                          .arg(shownDocument->window()->windowTitle().remove(QStringLiteral("[*]")))
                                    : tr("No document is open.");
    if (shownDocument && static_cast<int>(week.size()) < Days)
        heading += tr(" (no day after 2040-02-06: a CP290 document names no later day)");
    title->setText(heading);
    setWindowTitle(shownDocument ? tr("Schedule — %1").arg(shownDocument->window()->windowTitle().remove(QStringLiteral("[*]")))
                                 : tr("Schedule"));
    const QSignalBlocker quiet(days);
    days->clear();
    for (const ScheduledDay &day : week) {
        auto *item = new QListWidgetItem(dayTitle(day), days);
        if (day.tooManyEvents) {
            item->setForeground(QColor(200, 40, 40));
            item->setToolTip(QString::fromLatin1(TooManyEventsMessage));
        }
    }
    days->setCurrentRow(week.empty() ? -1 : std::min(chosen, static_cast<int>(week.size()) - 1));
    showDay(days->currentRow());
}

void ScheduleWindow::showDay(int index)
{
    if (index < 0 || index >= static_cast<int>(week.size()) || !shownDocument) {
        dayPicture->setDay({});
        dayWords->clear();
        return;
    }
    const ScheduledDay &day = week[static_cast<std::size_t>(index)];
    SchedulePicture::Day picture {minuteOf(day.sun.sunrise), minuteOf(day.sun.sunset), -1, day.marks, shownDocument->content().modules(), {}};
    if (index == 0)
        picture.nowMinute = minuteOfDay(GetDateTime());
    if (day.tooManyEvents) {
        picture.laneRecords.assign(shownDocument->content().modules().size(), 0);
        for (const auto &[module, records] : day.recordsByModule)
            picture.laneRecords[static_cast<std::size_t>(module)] = records;
    }
    dayPicture->setDay(picture);
    dayWords->setPlainText(dayWordsOf(day, shownDocument->content().modules()));
}

QString ScheduleWindow::words() const
{
    return dayWords->toPlainText();
}

// The events of a clicked mark selected in the outline, and their window brought forward.
void ScheduleWindow::selectEvents(int module, const QList<int> &events)
{
    if (!shownDocument || events.isEmpty())
        return;
    VekNSOutlineView *outline = shownDocument->outline();
    outline->expandItem({module, -1});
    for (qsizetype i = 0; i < events.size(); ++i)
        outline->selectRowByExtendingSelection(outline->rowForItem({module, events[i]}), i > 0);
    outline->scrollTo(outline->outlineModel()->indexOf({module, events.front()}));
    QWidget *window = shownDocument->window();
    window->raise();
    window->activateWindow();
}
