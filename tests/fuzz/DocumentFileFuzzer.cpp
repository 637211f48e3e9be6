// libFuzzer target: any bytes as a document file. Reading must refuse or accept, never crash, and
// what it accepts must write out and read back the same.

#include "document/DocumentFile.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const DocumentReadResult read = readDocumentBytes(std::string(reinterpret_cast<const char *>(data), size));
    if (!read.content)
        return 0;
    const DocumentReadResult again = readDocumentBytes(documentXml(*read.content));
    if (!again.content || !(*again.content == *read.content))
        std::abort();
    return 0;
}
