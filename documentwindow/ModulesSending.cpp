// A module document's commands that reach the CP290: the repeat-count sheet, the download of all
// its events, and switching the selected modules at once.

#include "document/DirectCommand.h"
#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "documentwindow/DeviceAccess.h"
#include "documentwindow/Modules.h"
#include "driver/DeviceOperations.h"
#include "widgets/DocumentWindowView.h"

#include <QComboBox>
#include <QSlider>
#include <QDialog>

void Modules::performEvents(QObject *)
{
    eventRepeatOnPopup->setCurrentIndex(std::clamp(int(eventRepeat.OnRepeat), 1, DocumentWindowView::LargestRepeatCount) - 1);
    eventRepeatOffPopup->setCurrentIndex(std::clamp(int(eventRepeat.OffRepeat), 1, DocumentWindowView::LargestRepeatCount) - 1);
    performEventsSheet->setWindowModality(Qt::WindowModal);
    if (performEventsSheet->exec() == 0)
        return;
    const ClassicEventRepeat chosen {static_cast<uint8_t>(eventRepeatOnPopup->currentIndex() + 1),
                                     static_cast<uint8_t>(eventRepeatOffPopup->currentIndex() + 1)};
    if (chosen == eventRepeat)
        return;
    const NamedChange change(*this, tr("Repeat Counts"));
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
    commitEditing();
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
        CP290DoOnOffDim(static_cast<int>(module.houseCode), static_cast<int>(module.unit),
                        directCommandByte(module, function == CP290FunctionOn, selectedBrightnessSlider->value()));
    }
}
