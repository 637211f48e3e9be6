#include "platform/PropertyListGate.h"

#include "platform/BinaryPropertyListCheck.h"
#include "platform/XmlPropertyListCheck.h"

#include <cstdint>

PropertyListInput checkedPropertyList(std::string_view bytes)
{
    constexpr std::string_view BinaryMagic = "bplist00", ByteOrderMark = "\xEF\xBB\xBF";
    PropertyListInput input;
    if (bytes.size() > UINT32_MAX) {
        input.problem = "the property list is larger than 4 GB";
        return input;
    }
    input.binary = bytes.substr(0, BinaryMagic.size()) == BinaryMagic;
    if (!input.binary && bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        bytes.remove_prefix(ByteOrderMark.size());
    input.bytes = bytes;
    input.problem = input.binary ? binaryPropertyListProblem(bytes) : xmlPropertyListProblem(bytes);
    return input;
}
