#pragma once

#include "document/EditorFields.h"

#include <QDate>
#include <QTime>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class VekHideableNSTextField;
class TimeField;
class DateField;

// The event editor's controls, laid out for the drawer. The document reads and writes them; this
// view only owns and arranges them.
class EventEditorView : public QWidget {
    Q_OBJECT
public:
    explicit EventEditorView(QWidget *parent = nullptr);

    QRadioButton *onSwitch;
    QRadioButton *offSwitch;
    QSlider *eventBrightnessSlider;
    QLabel *eventBrightnessLabel;
    TimeField *time;
    QCheckBox *sunriseSwitch;
    QCheckBox *sunsetSwitch;
    QLineEdit *offsetSign;
    QLineEdit *offset;
    QCheckBox *securitySwitch;
    QComboBox *daysPopup;
    QStackedWidget *dateBox;
    QWidget *everyView;
    QWidget *dateView;
    QWidget *emptyDaysView;
    QCheckBox *sundaySwitch;
    QCheckBox *mondaySwitch;
    QCheckBox *tuesdaySwitch;
    QCheckBox *wednesdaySwitch;
    QCheckBox *thursdaySwitch;
    QCheckBox *fridaySwitch;
    QCheckBox *saturdaySwitch;
    DateField *date;
    QPushButton *todayButton;
    QPushButton *tomorrowButton;
    QCheckBox *repeatSwitch;
    QSpinBox *repeatDays;
    VekHideableNSTextField *daysWarning;
    QPushButton *resetButton;
    QPushButton *helpButton;

    // The day switches from Sunday to Saturday with their flag bits.
    QCheckBox *daySwitch(int day) const;

    // "50%" for level 4; "100%, no dimming" for 9.
    static QString brightnessText(int level);

    // The controls set from the editor's fields; what they now say, over the fields loaded.
    void showFields(const EditorFields &fields);
    void showBrightness(const EditorFields &fields);
    // The focus moves only when the user turned a sun switch: a reload after every save would
    // otherwise pull it back while the user tabs on.
    void showTimeFields(const EditorFields &fields, bool moveFocus);
    void showDaysPart(const EditorFields &fields);
    EditorFields fields(const EditorFields &loaded) const;
    // Ends the typing in the time, date and offset fields before a command acts: what reads as a
    // value is kept for `fields` to read, anything else is refused with a beep, the field showing
    // what it showed before.
    void commitTyping();

    // Calendar seconds as the toolkit's times and dates.
    static QTime timeOf(uint32_t seconds);
    static QDate dateOf(uint32_t seconds);

    // Fields as wide as their widest text in the font in use.
    void fitToFont();
    static constexpr int DrawerWidth = 500;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    QString offsetShown;  // the offset as last shown, for a refused text to give way to
};
