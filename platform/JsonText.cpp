#include "platform/JsonText.h"

#include <cstdio>

std::string jsonString(const std::string &text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                quoted += escape;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::string jsonNumber(long value)
{
    return std::to_string(value);
}

std::string jsonBool(bool value)
{
    return value ? "true" : "false";
}

std::string jsonArray(const std::vector<std::string> &items)
{
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i ? ", " : "") + items[i];
    return text + "]";
}

std::string jsonObject(const std::vector<std::pair<std::string, std::string>> &members)
{
    std::string text = "{";
    for (std::size_t i = 0; i < members.size(); ++i)
        text += (i ? ", " : "") + jsonString(members[i].first) + ": " + members[i].second;
    return text + "}";
}

std::string jsonStrings(const std::vector<std::string> &texts)
{
    std::vector<std::string> items;
    for (const std::string &text : texts)
        items.push_back(jsonString(text));
    return jsonArray(items);
}
