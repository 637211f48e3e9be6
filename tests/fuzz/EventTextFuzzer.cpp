// libFuzzer target: any event, any typed text. The first 20 bytes are the event, the rest the
// text; reading must stay within the text and describing the result must work for any fields.

#include "document/EventDescription.h"
#include "document/EventTextParser.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < EventRecordSize)
        return 0;
    uint8_t bytes[EventRecordSize];
    std::memcpy(bytes, data, EventRecordSize);
    Event event = eventFromBytes(bytes);
    const std::string text(reinterpret_cast<const char *>(data + EventRecordSize), size - EventRecordSize);
    readEventText(text, event);
    const std::string description = eventDescription(event);
    readEventText(description, event);
    return 0;
}
