#pragma once

#include <QMainWindow>

class EventEditorView;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QDockWidget;
class QLabel;
class QPushButton;
class QSlider;
class QStackedWidget;
class VekNSOutlineView;

// A module document's window as it is laid out: the outline, the editing buttons, the direct
// commands, the drawer with the event editor, and the repeat-count sheet. The document connects
// and drives these controls; this view only owns and arranges them.
class DocumentWindowView : public QMainWindow {
    Q_OBJECT
public:
    explicit DocumentWindowView(const QStringList &columnIdentifiers);

    VekNSOutlineView *outline;
    QPushButton *newModuleButton;
    QPushButton *newEventButton;
    QPushButton *deleteButton;
    QPushButton *editButton;
    QPushButton *endEditButton;
    QPushButton *expandButton;
    QPushButton *collapseButton;
    QPushButton *eventsButton;
    QPushButton *onButton;
    QPushButton *offButton;
    QSlider *selectedBrightnessSlider;
    QLabel *selectedBrightnessLabel;
    QPushButton *repeatButton;
    QPushButton *scheduleButton;
    QPushButton *sendButton;
    QPushButton *helpButton;

    QDockWidget *drawer;
    QStackedWidget *drawerContent;
    QWidget *noEventsView;
    EventEditorView *editor;

    QDialog *repeatCountSheet;
    QComboBox *eventRepeatOnPopup;
    QComboBox *eventRepeatOffPopup;
    QDialogButtonBox *repeatCountButtons;
    QPushButton *repeatCountHelpButton;

    static constexpr int LargestRepeatCount = 10;

protected:
    void changeEvent(QEvent *event) override;

private:
    // Column titles, the drawer and the fields take the room the font needs.
    void fitToFont();
    void layOutDrawer();
    void layOutRepeatCountSheet();
};
