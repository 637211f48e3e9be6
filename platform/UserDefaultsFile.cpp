#include "platform/UserDefaultsFile.h"

#include "platform/UserFolders.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The settings file writes keys with blanks as %20 and may quote values; undo both.
std::string percentDecoded(const std::string &text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
            && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string unquoted(const std::string &value)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return value;
    std::string text;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size())
            ++i;
        text += value[i];
    }
    return text;
}

}  // namespace

std::optional<std::string> readDefaultFromSettingsText(const std::string &settingsText, const std::string &key)
{
    std::istringstream lines(settingsText);
    std::string line;
    bool inGeneral = false;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inGeneral = line == "[General]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGeneral || equals == std::string::npos)
            continue;
        if (percentDecoded(trimmed(line.substr(0, equals))) == key)
            return unquoted(trimmed(line.substr(equals + 1)));
    }
    return std::nullopt;
}

std::optional<std::string> readApplicationDefault(const std::string &key)
{
    std::ifstream file(userConfigFolder() + "/Tavorin/Tavorin.conf");
    if (!file)
        return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    return readDefaultFromSettingsText(text.str(), key);
}

std::string serialDevicePathForTitle(const std::string &title)
{
    if (const auto folder = readApplicationDefault("Extra Serial Device Folder"); folder && !folder->empty()) {
        const std::string extraPath = *folder + "/tty" + title;
        std::error_code error;
        if (std::filesystem::exists(extraPath, error))
            return extraPath;
    }
    return "/dev/tty" + title;
}

std::optional<std::string> rememberedSerialDevicePath()
{
    const auto title = readApplicationDefault("SerialDevice");
    if (!title || title->empty())
        return std::nullopt;
    return serialDevicePathForTitle(*title);
}
