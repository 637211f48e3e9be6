// A module document's commands that reach the CP290: the repeat-count sheet, the download of all
// its events, and switching the selected modules at once.

#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "document/ui/DeviceAccess.h"
#include "document/ui/Modules.h"
#include "driver/DeviceOperations.h"
#include "platform/qt/ContextHelp.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int LargestRepeatCount = 10;

QComboBox *repeatPopup(QWidget *parent)
{
    auto *popup = new QComboBox(parent);
    for (int count = 1; count <= LargestRepeatCount; ++count)
        popup->addItem(count == 1 ? QObject::tr("once") : QObject::tr("%1 times").arg(count));
    return popup;
}

}  // namespace

void Modules::buildPerformEventsSheet()
{
    performEventsSheet = new QDialog(thisWindow, Qt::Sheet);
    performEventsSheet->setObjectName(QStringLiteral("performEventsSheet"));
    performEventsSheet->setWindowTitle(tr("Repeat Counts"));
    auto *layout = new QVBoxLayout(performEventsSheet);
    layout->addWidget(new QLabel(tr("Send each event to the CP290 at this many consecutive minutes:"), performEventsSheet));
    auto *form = new QFormLayout();
    eventRepeatOnPopup = repeatPopup(performEventsSheet);
    eventRepeatOffPopup = repeatPopup(performEventsSheet);
    form->addRow(tr("On events:"), eventRepeatOnPopup);
    form->addRow(tr("Off events:"), eventRepeatOffPopup);
    layout->addLayout(form);
    setHelpAnchor(performEventsSheet, QStringLiteral("Repeat Counts..."));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, performEventsSheet);
    QPushButton *helpButton = newHelpButton(QStringLiteral("Repeat Counts..."), performEventsSheet);
    buttons->addButton(helpButton, QDialogButtonBox::HelpRole);
    connect(helpButton, &QPushButton::clicked, this, [this, helpButton] { showHelp(helpButton); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { performEventsOK(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { performEventsCancel(); });
    layout->addWidget(buttons);
}

void Modules::performEvents(QObject *)
{
    eventRepeatOnPopup->setCurrentIndex(std::clamp(int(eventRepeat.OnRepeat), 1, LargestRepeatCount) - 1);
    eventRepeatOffPopup->setCurrentIndex(std::clamp(int(eventRepeat.OffRepeat), 1, LargestRepeatCount) - 1);
    performEventsSheet->setWindowModality(Qt::WindowModal);
    if (performEventsSheet->exec() == 0)
        return;
    const ClassicEventRepeat chosen {static_cast<uint8_t>(eventRepeatOnPopup->currentIndex() + 1),
                                     static_cast<uint8_t>(eventRepeatOffPopup->currentIndex() + 1)};
    if (chosen == eventRepeat)
        return;
    eventRepeat = chosen;
    updateChangeCount(true);
}

void Modules::performEventsOK(QObject *)
{
    performEventsSheet->done(1);
}

void Modules::performEventsCancel(QObject *)
{
    performEventsSheet->done(0);
}

void Modules::sendEventsToCP290(QObject *)
{
    if (!deviceAccess)
        return;
    deviceAccess->runDeviceWork([this] {
        if (!deviceAccess->serialDeviceIsWritable())
            return;
        const DownloadOutcome outcome = downloadDocumentEvents(modulesArray, eventRepeat);
        if (remembersDownload(outcome))
            rememberDownloadedModules(modulesArray, eventRepeat);
    });
}

void Modules::on(QObject *)
{
    switchSelectedModules(CP290FunctionOn);
}

void Modules::off(QObject *)
{
    switchSelectedModules(CP290FunctionOff);
}

void Modules::switchSelectedModules(uint8_t function)
{
    if (!deviceAccess)
        return;
    deviceAccess->runDeviceWork([this, function] {
        if (deviceAccess->serialDeviceIsWritable())
            onOff(function);
    });
}

void Modules::onOff(uint8_t function)
{
    for (int row = modulesOutline->numberOfRows() - 1; row >= 0; --row) {
        if (!modulesOutline->isRowSelected(row))
            continue;
        const Module &module = modulesArray[moduleIndexForOutlineRow(row)];
        uint8_t byte = CP290FunctionOff;
        if (function == CP290FunctionOn)
            byte = module.type == ModuleTypeLight ? CP290LevelBytes[std::clamp(selectedBrightnessSlider->value(), 1, 9)]
                                                  : CP290FunctionOn;
        CP290DoOnOffDim(static_cast<int>(module.houseCode), static_cast<int>(module.unit), byte);
    }
}
