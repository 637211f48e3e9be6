// libFuzzer target: any bytes as a binary property list. What the check lets through must parse
// without a fault under the sanitizers, and must not grow past the objects the file holds.

#include "platform/BinaryPropertyListCheck.h"
#include "document/ModulePropertyList.h"

#include <cstdlib>
#include <string>

namespace {

std::size_t nodes(plist_t node)
{
    std::size_t count = 1;
    const plist_type type = plist_get_node_type(node);
    if (type == PLIST_ARRAY) {
        for (plist_t item : arrayItems(node))
            count += nodes(item);
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
            count += 1 + nodes(value);
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
    if (root && nodes(root) > 2 * bytes.size())
        std::abort();
    if (root)
        plist_free(root);
    return 0;
}
