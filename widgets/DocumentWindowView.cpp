#include "widgets/DocumentWindowView.h"

#include "platform/qt/ContextHelp.h"
#include "widgets/EventEditorView.h"
#include "widgets/FormatterDelegate.h"
#include "widgets/OutlineModel.h"
#include "widgets/VekNSOutlineView.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int DrawerContentWidth = 500;

// The window's buttons are reached with Tab but take no focus when clicked, so that a click acts
// on the outline as the user left it: New Module while a name is being typed sees the typing.
QPushButton *button(const QString &title, QWidget *parent)
{
    auto *pushButton = new QPushButton(title, parent);
    pushButton->setAutoDefault(false);
    pushButton->setFocusPolicy(Qt::TabFocus);
    return pushButton;
}

QComboBox *repeatPopup(QWidget *parent)
{
    auto *popup = new QComboBox(parent);
    for (int count = 1; count <= DocumentWindowView::LargestRepeatCount; ++count)
        popup->addItem(count == 1 ? QObject::tr("once") : QObject::tr("%1 times").arg(count));
    return popup;
}

}  // namespace

DocumentWindowView::DocumentWindowView(const QStringList &columnIdentifiers)
{
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(8, 8, 8, 8);
    outline = new VekNSOutlineView(columnIdentifiers, 0, content);
    outline->setObjectName(QStringLiteral("modulesOutline"));
    outline->setItemDelegate(new FormatterDelegate(outline));
    outline->outlineModel()->setColumnTitles({tr("Module or Event"), tr("House"), tr("Unit"), tr("Type")});
    outline->header()->setStretchLastSection(false);
    outline->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(outline);

    auto *buttons = new QHBoxLayout();
    newModuleButton = button(tr("New Module"), content);
    newEventButton = button(tr("New Event"), content);
    deleteButton = button(tr("Delete"), content);
    editButton = button(tr("Edit"), content);
    endEditButton = button(tr("End Edit"), content);
    expandButton = button(tr("Expand All"), content);
    collapseButton = button(tr("Collapse All"), content);
    eventsButton = button(tr("Show Event Editor"), content);
    for (QPushButton *each : {newModuleButton, newEventButton, deleteButton, editButton, endEditButton})
        buttons->addWidget(each);
    buttons->addStretch();
    for (QPushButton *each : {expandButton, collapseButton, eventsButton})
        buttons->addWidget(each);
    layout->addLayout(buttons);

    // Switching the selected modules at once, and sending the whole document.
    auto *direct = new QHBoxLayout();
    onButton = button(tr("On"), content);
    offButton = button(tr("Off"), content);
    selectedBrightnessSlider = new QSlider(Qt::Horizontal, content);
    selectedBrightnessSlider->setRange(1, 9);
    selectedBrightnessSlider->setValue(9);
    selectedBrightnessSlider->setPageStep(1);
    selectedBrightnessSlider->setMaximumWidth(160);
    selectedBrightnessLabel = new QLabel(EventEditorView::brightnessText(9), content);
    selectedBrightnessLabel->setMinimumWidth(120);
    connect(selectedBrightnessSlider, &QSlider::valueChanged, this,
            [this](int level) { selectedBrightnessLabel->setText(EventEditorView::brightnessText(level)); });
    repeatButton = button(tr("Repeat Counts..."), content);
    scheduleButton = button(tr("Schedule..."), content);
    sendButton = button(tr("Send to CP290"), content);
    helpButton = newHelpButton(QStringLiteral("Document Window"), content);
    setHelpAnchor(this, QStringLiteral("Document Window"));
    for (QWidget *each : std::initializer_list<QWidget *> {onButton, offButton, selectedBrightnessSlider, selectedBrightnessLabel})
        direct->addWidget(each);
    direct->addStretch();
    direct->addWidget(scheduleButton);
    direct->addWidget(repeatButton);
    direct->addWidget(sendButton);
    direct->addWidget(helpButton);
    layout->addLayout(direct);
    setCentralWidget(content);

    layOutDrawer();
    layOutRepeatCountSheet();
    fitToFont();
}

void DocumentWindowView::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
}

void DocumentWindowView::fitToFont()
{
    struct Column {
        int index;
        int least;  // at the standard font
        QString widest;
    };
    const QFontMetrics titles(outline->header()->font()), cells(outline->font());
    // Room for the sort arrow and the section's margins beside the title.
    const int margin = outline->header()->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, outline->header()) * 2 + 18;
    for (const Column &column : {Column {1, 50, QStringLiteral("P")}, Column {2, 100, tr("All Modules")}, Column {3, 90, tr("Appliance")}}) {
        const QString title = outline->model()->headerData(column.index, Qt::Horizontal).toString();
        outline->setColumnWidth(column.index, std::max({column.least, titles.horizontalAdvance(title) + margin,
                                                        cells.horizontalAdvance(column.widest) + 16}));
    }
    // The drawer is 500 wide at the standard font, and as wide as the editor needs at a larger one.
    editor->fitToFont();
    drawerContent->setFixedWidth(std::max(DrawerContentWidth, editor->width()));
}

void DocumentWindowView::layOutDrawer()
{
    drawer = new QDockWidget(this);
    drawer->setObjectName(QStringLiteral("drawer"));
    drawer->setFeatures(QDockWidget::NoDockWidgetFeatures);
    drawer->setTitleBarWidget(new QWidget(drawer));
    drawerContent = new QStackedWidget(drawer);
    auto *nothing = new QLabel(tr("Select one event to edit it here."), drawerContent);
    nothing->setAlignment(Qt::AlignCenter);
    noEventsView = nothing;
    editor = new EventEditorView(drawerContent);
    drawerContent->addWidget(noEventsView);
    drawerContent->addWidget(editor);
    auto *drawerFrame = new QWidget(drawer);
    // The drawer keeps its length whatever the window's width and stays centred along its edge.
    auto *drawerLayout = new QHBoxLayout(drawerFrame);
    drawerLayout->addStretch();
    drawerLayout->addWidget(drawerContent);
    drawerLayout->addStretch();
    drawer->setWidget(drawerFrame);
    addDockWidget(Qt::BottomDockWidgetArea, drawer);
    drawer->hide();
}

void DocumentWindowView::layOutRepeatCountSheet()
{
    repeatCountSheet = new QDialog(this, Qt::Sheet);
    repeatCountSheet->setObjectName(QStringLiteral("performEventsSheet"));
    repeatCountSheet->setWindowTitle(tr("Repeat Counts"));
    auto *layout = new QVBoxLayout(repeatCountSheet);
    layout->addWidget(new QLabel(tr("Send each event to the CP290 at this many consecutive minutes:"), repeatCountSheet));
    auto *form = new QFormLayout();
    eventRepeatOnPopup = repeatPopup(repeatCountSheet);
    eventRepeatOffPopup = repeatPopup(repeatCountSheet);
    form->addRow(tr("On events:"), eventRepeatOnPopup);
    form->addRow(tr("Off events:"), eventRepeatOffPopup);
    layout->addLayout(form);
    setHelpAnchor(repeatCountSheet, QStringLiteral("Repeat Counts..."));
    repeatCountButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, repeatCountSheet);
    repeatCountHelpButton = newHelpButton(QStringLiteral("Repeat Counts..."), repeatCountSheet);
    repeatCountButtons->addButton(repeatCountHelpButton, QDialogButtonBox::HelpRole);
    layout->addWidget(repeatCountButtons);
}
