#include "platform/HelperBundle.h"

#include "platform/PropertyListGate.h"
#include "platform/FileContents.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <plist/plist.h>

namespace fs = std::filesystem;

int helperVersionNumber(const std::string &versionText)
{
    std::string text = versionText;
    for (char &c : text) {
        if (c == 'A' || c == 'a')
            c = '1';
        else if (c == 'B' || c == 'b')
            c = '2';
    }
    const float value = std::strtof(text.c_str(), nullptr);
    const float scaled = value * 10000.0f;  // single precision, as the rule has it
    int number = static_cast<int>(scaled);
    if (number % 1000 == 0)
        number += 999;
    return number;
}

std::optional<std::string> bundleVersion(const std::string &bundlePath)
{
    const auto contents = readFileContents(bundlePath + "/Contents/Info.plist");
    // An installed copy lies in the user's folder: its list is checked like any other.
    if (!contents)
        return std::nullopt;
    const PropertyListInput input = checkedPropertyList(*contents);
    if (!input.problem.empty())
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(input.bytes.data(), static_cast<uint32_t>(input.bytes.size()), &root);
    std::optional<std::string> version;
    if (root && plist_get_node_type(root) == PLIST_DICT) {
        plist_t item = plist_dict_get_item(root, "CFBundleVersion");
        uint64_t length = 0;
        const char *text = item && plist_get_node_type(item) == PLIST_STRING ? plist_get_string_ptr(item, &length) : nullptr;
        if (text)
            version = std::string(text, length);
    }
    if (root)
        plist_free(root);
    return version;
}

int bundleVersionNumber(const std::string &bundlePath)
{
    return helperVersionNumber(bundleVersion(bundlePath).value_or("0"));
}

std::string helperExecutable(const std::string &bundlePath)
{
    return bundlePath + "/Contents/bin/" + HelperProgramName;
}

bool copyBundle(const std::string &resource, const std::string &installed)
{
    std::error_code error;
    fs::remove_all(installed, error);
    fs::create_directories(fs::path(installed).parent_path(), error);
    fs::copy(resource, installed, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    return !error;
}
