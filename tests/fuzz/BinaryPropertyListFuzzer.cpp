// libFuzzer target: any bytes as a binary property list. What the check lets through must parse
// without a fault under the sanitizers, and the tree it builds, its nodes and the bytes of its
// strings and data, must stay within a small multiple of the file.

#include "platform/BinaryPropertyListCheck.h"
#include "document/ModulePropertyList.h"

#include <cstdlib>
#include <string>

namespace {

// The tree's weight: a node is counted as 32 bytes, a string or data as its length besides.
std::size_t weight(plist_t node)
{
    std::size_t count = 32;
    const plist_type type = plist_get_node_type(node);
    uint64_t length = 0;
    if (type == PLIST_STRING)
        plist_get_string_ptr(node, &length);
    else if (type == PLIST_DATA)
        plist_get_data_ptr(node, &length);
    count += length;
    if (type == PLIST_ARRAY) {
        for (plist_t item : arrayItems(node))
            count += weight(item);
    } else if (type == PLIST_DICT) {
        plist_dict_iter iter = nullptr;
        plist_dict_new_iter(node, &iter);
        for (;;) {
            char *key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iter, &key, &value);
            std::free(key);
            if (!value)
                break;
            count += 32 + weight(value);
        }
        std::free(iter);
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes = "bplist00" + std::string(reinterpret_cast<const char *>(data), size);
    if (!binaryPropertyListProblem(bytes).empty())
        return 0;
    plist_t root = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (root && weight(root) > 64 * bytes.size() + (16u << 20))
        std::abort();
    if (root)
        plist_free(root);
    return 0;
}
