#include "documentwindow/ModulesSending.h"

#include "document/DirectCommand.h"
#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "documentwindow/DeviceAccess.h"
#include "documentwindow/Modules.h"
#include "driver/DeviceOperations.h"
#include "widgets/DocumentWindowView.h"
#include "widgets/VekNSOutlineView.h"

#include <QComboBox>
#include <QDialog>
#include <QSlider>

#include <algorithm>

ModulesSending::ModulesSending(Modules &shown) : document(shown)
{
}

void ModulesSending::performEvents(QObject *)
{
    DocumentWindowView &window = *document.view();
    const ClassicEventRepeat &counts = document.content().repeatCounts();
    window.eventRepeatOnPopup->setCurrentIndex(std::clamp(int(counts.OnRepeat), 1, DocumentWindowView::LargestRepeatCount) - 1);
    window.eventRepeatOffPopup->setCurrentIndex(std::clamp(int(counts.OffRepeat), 1, DocumentWindowView::LargestRepeatCount) - 1);
    window.repeatCountSheet->setWindowModality(Qt::WindowModal);
    if (window.repeatCountSheet->exec() == 0)
        return;
    const ClassicEventRepeat chosen {static_cast<uint8_t>(window.eventRepeatOnPopup->currentIndex() + 1),
                                     static_cast<uint8_t>(window.eventRepeatOffPopup->currentIndex() + 1)};
    if (chosen == counts)
        return;
    const DocumentContent::NamedChange change(document.content(), tr("Repeat Counts"));
    document.content().setRepeatCounts(chosen);
    document.updateChangeCount();
}

void ModulesSending::performEventsOK(QObject *)
{
    document.view()->repeatCountSheet->done(1);
}

void ModulesSending::performEventsCancel(QObject *)
{
    document.view()->repeatCountSheet->done(0);
}

void ModulesSending::sendEventsToCP290(QObject *)
{
    DeviceAccess *device = document.device();
    if (!device)
        return;
    document.commitEditing();
    device->runDeviceWork([this, device] {
        if (!device->serialDeviceIsWritable())
            return;
        const std::vector<Module> &modules = document.content().modules();
        const ClassicEventRepeat &counts = document.content().repeatCounts();
        const DownloadOutcome outcome = downloadDocumentEvents(modules, counts);
        if (remembersDownload(outcome))
            rememberDownloadedModules(modules, counts);
    });
}

void ModulesSending::on(QObject *)
{
    switchSelectedModules(CP290FunctionOn);
}

void ModulesSending::off(QObject *)
{
    switchSelectedModules(CP290FunctionOff);
}

void ModulesSending::switchSelectedModules(uint8_t function)
{
    DeviceAccess *device = document.device();
    if (!device)
        return;
    device->runDeviceWork([this, device, function] {
        if (device->serialDeviceIsWritable())
            onOff(function);
    });
}

void ModulesSending::onOff(uint8_t function)
{
    const VekNSOutlineView &outline = *document.outline();
    const std::vector<Module> &modules = document.content().modules();
    const int level = document.view()->selectedBrightnessSlider->value();
    for (int row = outline.numberOfRows() - 1; row >= 0; --row) {
        if (!outline.isRowSelected(row))
            continue;
        const Module &module = modules[static_cast<std::size_t>(document.outlineSource().moduleIndexForOutlineRow(row))];
        CP290DoOnOffDim(static_cast<int>(module.houseCode), static_cast<int>(module.unit),
                        directCommandByte(module, function == CP290FunctionOn, level));
    }
}
