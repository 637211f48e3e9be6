#include "widgets/EventEditorView.h"

#include "document/ReadingOrder.h"

#include "platform/qt/ContextHelp.h"

#include "widgets/ClockFields.h"
#include "widgets/FormatterDelegate.h"
#include "widgets/VekHideableNSTextField.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// A finished offset text is accepted only when it reads as hours and minutes; one left unfinished
// is refused whole, the field showing the offset it showed before.
class OffsetValidator : public QValidator {
public:
    OffsetValidator(const QString *shownText, QObject *parent) : QValidator(parent), shown(shownText) {}
    State validate(QString &input, int &) const override
    {
        return timeOffsetFormatter::objectValueForString(input.toStdString()) ? Acceptable : Intermediate;
    }
    void fixup(QString &input) const override
    {
        QApplication::beep();
        input = *shown;
    }

private:
    const QString *shown;
};

bool legalSign(const std::string &text)
{
    return text == "+" || text == "-";
}

}  // namespace

EventEditorView::EventEditorView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("eventView"));
    onSwitch = new QRadioButton(tr("On"), this);
    offSwitch = new QRadioButton(tr("Off"), this);
    auto *onOff = new QButtonGroup(this);
    onOff->addButton(onSwitch);
    onOff->addButton(offSwitch);
    eventBrightnessSlider = new QSlider(Qt::Horizontal, this);
    eventBrightnessSlider->setAccessibleName(tr("Brightness"));
    eventBrightnessSlider->setRange(1, 9);
    eventBrightnessSlider->setPageStep(1);
    eventBrightnessSlider->setTickPosition(QSlider::TicksBelow);
    eventBrightnessLabel = new QLabel(this);

    time = new TimeField(this);
    time->setAccessibleName(tr("Time"));
    sunriseSwitch = new QCheckBox(tr("Sunrise"), this);
    sunsetSwitch = new QCheckBox(tr("Sunset"), this);
    offsetSign = new QLineEdit(QStringLiteral("+"), this);
    offsetSign->setAccessibleName(tr("Offset before or after"));
    offsetSign->setMaxLength(2);
    offsetSign->setAlignment(Qt::AlignCenter);
    offsetSign->setValidator(new FormatterValidator(timeOffsetSignFormatter::isPartialStringValid, legalSign, offsetSign));
    offset = new QLineEdit(QStringLiteral("00:00"), this);
    offset->setAccessibleName(tr("Offset"));
    offset->setValidator(new OffsetValidator(&offsetShown, offset));
    securitySwitch = new QCheckBox(tr("Security"), this);

    daysPopup = new QComboBox(this);
    daysPopup->setAccessibleName(tr("Days"));
    daysPopup->addItems({tr("Days of the Week"), tr("On a Date"), tr("Even Days"), tr("Odd Days")});
    dateBox = new QStackedWidget(this);
    everyView = new QWidget(dateBox);
    auto *days = new QHBoxLayout(everyView);
    days->setContentsMargins(0, 0, 0, 0);
    sundaySwitch = new QCheckBox(tr("Sun"), everyView);
    mondaySwitch = new QCheckBox(tr("Mon"), everyView);
    tuesdaySwitch = new QCheckBox(tr("Tue"), everyView);
    wednesdaySwitch = new QCheckBox(tr("Wed"), everyView);
    thursdaySwitch = new QCheckBox(tr("Thu"), everyView);
    fridaySwitch = new QCheckBox(tr("Fri"), everyView);
    saturdaySwitch = new QCheckBox(tr("Sat"), everyView);
    for (int day = 0; day < 7; ++day)
        days->addWidget(daySwitch(day));
    dateView = new QWidget(dateBox);
    auto *dated = new QHBoxLayout(dateView);
    dated->setContentsMargins(0, 0, 0, 0);
    date = new DateField(dateView);
    date->setAccessibleName(tr("Date"));
    todayButton = new QPushButton(tr("Today"), dateView);
    tomorrowButton = new QPushButton(tr("Tomorrow"), dateView);
    repeatSwitch = new QCheckBox(tr("Every"), dateView);
    repeatDays = new QSpinBox(dateView);
    repeatDays->setAccessibleName(tr("Repeat every so many days"));
    repeatDays->setRange(0, 365);
    auto *daysLabel = new QLabel(tr("days"), dateView);
    dated->setSpacing(6);
    for (QPushButton *each : {todayButton, tomorrowButton})
        each->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    repeatSwitch->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    for (QWidget *each : std::initializer_list<QWidget *> {date, todayButton, tomorrowButton, repeatSwitch, repeatDays, daysLabel})
        dated->addWidget(each);
    dated->addStretch();
    emptyDaysView = new QWidget(dateBox);
    dateBox->addWidget(everyView);
    dateBox->addWidget(dateView);
    dateBox->addWidget(emptyDaysView);

    daysWarning = new VekHideableNSTextField(tr("No day is chosen: the event never happens."), this);
    daysWarning->setReadOnly(true);
    daysWarning->setFrame(false);
    daysWarning->setFocusPolicy(Qt::NoFocus);
    // A warning's red, dark on a light theme and light on a dark one, over the drawer itself.
    QPalette warning = daysWarning->palette();
    const bool darkTheme = warning.color(QPalette::Window).lightness() < 128;
    warning.setColor(QPalette::Text, darkTheme ? QColor(0xFF, 0x8A, 0x70) : QColor(0xB0, 0x30, 0x00));
    warning.setColor(QPalette::Base, Qt::transparent);
    daysWarning->setPalette(warning);
    resetButton = new QPushButton(tr("Reset"), this);
    helpButton = newHelpButton(QStringLiteral("Event Editor"), this);
    setHelpAnchor(this, QStringLiteral("Event Editor"));
    // The editor's On and Off are the event's, not the window's switches of the same names.
    setHelpAnchor(onSwitch, QStringLiteral("Event Editor"));
    setHelpAnchor(offSwitch, QStringLiteral("Event Editor"));
    setHelpAnchor(everyView, QStringLiteral("Days"));
    setHelpAnchor(daysPopup, QStringLiteral("Days"));
    // Choosing Sunrise or Sunset takes the caret to the offset: its help is the sun's.
    for (QCheckBox *sun : {sunriseSwitch, sunsetSwitch})
        connect(sun, &QCheckBox::toggled, this, [this, sun](bool checked) {
            if (!checked)
                return;
            for (QWidget *field : std::initializer_list<QWidget *> {offsetSign, offset})
                setHelpAnchor(field, sun->text());
        });
    setHelpAnchor(offsetSign, QStringLiteral("Sunrise"));
    setHelpAnchor(offset, QStringLiteral("Sunrise"));

    // Laid out by hand: the warning comes and goes without moving anything else.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel(tr("Turn"), this), 0, 0);
    auto *turn = new QHBoxLayout();
    turn->addWidget(onSwitch);
    turn->addWidget(offSwitch);
    turn->addSpacing(16);
    turn->addWidget(eventBrightnessSlider, 1);
    turn->addWidget(eventBrightnessLabel);
    grid->addLayout(turn, 0, 1);
    grid->addWidget(new QLabel(tr("At"), this), 1, 0);
    auto *when = new QHBoxLayout();
    when->addWidget(time);
    when->addSpacing(12);
    when->addWidget(sunriseSwitch);
    when->addWidget(sunsetSwitch);
    when->addWidget(offsetSign);
    when->addWidget(offset);
    when->addStretch();
    when->addWidget(securitySwitch);
    grid->addLayout(when, 1, 1);
    grid->addWidget(new QLabel(tr("On"), this), 2, 0);
    auto *rule = new QHBoxLayout();
    rule->addWidget(daysPopup);
    rule->addStretch();
    grid->addLayout(rule, 2, 1);
    grid->addWidget(dateBox, 3, 1);
    auto *bottom = new QHBoxLayout();
    bottom->addSpacing(330);
    bottom->addStretch();
    bottom->addWidget(resetButton);
    bottom->addWidget(helpButton);
    grid->addLayout(bottom, 4, 1);
    daysWarning->awakeFromNib();
    fitToFont();
}

QCheckBox *EventEditorView::daySwitch(int day) const
{
    QCheckBox *const switches[] = {sundaySwitch, mondaySwitch, tuesdaySwitch, wednesdaySwitch,
                                   thursdaySwitch, fridaySwitch, saturdaySwitch};
    return switches[day];
}

QString EventEditorView::brightnessText(int level)
{
    if (level >= 9)
        return tr("100%, no dimming");
    return QString::number(level * 12.5, 'f', 1) + QLatin1Char('%');
}

// Tab walks the controls on screen as a person reads them; a control on a page not shown, or one
// that cannot be used now, is never in the walk.
void EventEditorView::fitToFont()
{
    const QFontMetrics metrics(font());
    const int margins = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 12;
    eventBrightnessLabel->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("100%, no dimming")));
    offsetSign->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("+")) + margins + 8);
    offset->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("00:00")) + margins);
    date->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + margins + 20);
    time->updateGeometry();
    // The drawer's content has one size, 500 wide unless the font needs more; the warning sits
    // over the free space of the bottom row.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->invalidate();
    setFixedSize(std::max(DrawerWidth, layout()->minimumSize().width()), layout()->sizeHint().height());
    layout()->activate();
    const int warningLeft = 56;
    daysWarning->setGeometry(warningLeft, resetButton->geometry().top(), resetButton->geometry().left() - warningLeft - 8,
                             resetButton->height());
    daysWarning->raise();
}

bool EventEditorView::focusNextPrevChild(bool next)
{
    QList<QWidget *> controls;
    for (QWidget *control : findChildren<QWidget *>()) {
        const bool insideAnother = qobject_cast<QAbstractSpinBox *>(control->parentWidget()) != nullptr;
        if (control->isVisible() && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) && !insideAnother)
            controls << control;
    }
    std::vector<ScreenBox> boxes;
    for (const QWidget *control : controls) {
        const QPoint at = control->mapTo(this, QPoint(0, 0));
        boxes.push_back({at.x(), at.y(), control->width(), control->height()});
    }
    const std::vector<int> order = readingOrder(boxes);
    const QWidget *focus = QApplication::focusWidget();
    const int count = static_cast<int>(order.size());
    for (int place = 0; place < count; ++place) {
        const QWidget *control = controls[order[place]];
        if (focus != control && !control->isAncestorOf(focus))
            continue;
        controls[order[(place + (next ? 1 : count - 1)) % count]]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}
