// libFuzzer target: any bytes as what another program put on the pasteboard or in a drag. Every
// reader must refuse or accept, never crash, and what the clipboard readers accept must write out
// and read back the same.

#include "document/Pasteboard.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    if (const auto modules = modulesFromClipboardData(bytes); modules && modulesFromClipboardData(modulesClipboardData(*modules)) != modules)
        std::abort();
    if (const auto events = eventsFromClipboardData(bytes); events && eventsFromClipboardData(eventsClipboardData(*events)) != events)
        std::abort();
    if (const auto indices = modulesFromDragData(bytes); indices && modulesFromDragData(modulesDragData(*indices)) != indices)
        std::abort();
    eventsFromDragData(bytes);
    return 0;
}
