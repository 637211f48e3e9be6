#include "platform/UserDefaultsFile.h"

#include "platform/FileContents.h"
#include "platform/SerialDevices.h"
#include "platform/UserFolders.h"

#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <cstdio>
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

std::string settingsFilePath(const std::string &domain)
{
    return userConfigFolder() + "/Tavorin/" + domain + ".conf";
}

namespace {

std::string settingsFileText(const std::string &domain)
{
    return readFileContents(settingsFilePath(domain)).value_or(std::string());
}

}  // namespace

std::optional<std::string> readApplicationDefault(const std::string &key, const std::string &domain)
{
    return readDefaultFromSettingsText(settingsFileText(domain), key);
}

std::string settingsTextWithDefaults(const std::string &settingsText,
                                     const std::vector<std::pair<std::string, std::string>> &values)
{
    std::vector<std::string> lines;
    std::istringstream input(settingsText);
    for (std::string line; std::getline(input, line);)
        lines.push_back(line);

    const auto entry = [](const std::pair<std::string, std::string> &value) {
        std::string key;
        for (const char c : value.first)
            key += c == ' ' ? std::string("%20") : std::string(1, c);
        std::string quoted = "\"";
        for (const char c : value.second)
            quoted += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
        return key + "=" + quoted + "\"";
    };

    std::vector<bool> written(values.size(), false);
    std::size_t general = lines.size();
    bool inGeneral = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = trimmed(lines[i]);
        if (!line.empty() && line.front() == '[') {
            inGeneral = line == "[General]";
            if (inGeneral)
                general = i;
            continue;
        }
        if (!inGeneral || line.empty())
            continue;
        const auto equals = line.find('=');
        for (std::size_t v = 0; v < values.size() && equals != std::string::npos; ++v)
            if (percentDecoded(trimmed(line.substr(0, equals))) == values[v].first) {
                lines[i] = entry(values[v]);
                written[v] = true;
            }
    }
    if (general == lines.size()) {
        lines.insert(lines.begin(), {"[General]", ""});
        general = 0;
    }
    std::size_t insertAt = general + 1;
    for (std::size_t v = 0; v < values.size(); ++v)
        if (!written[v])
            lines.insert(lines.begin() + static_cast<long>(insertAt++), entry(values[v]));

    std::string text;
    for (const std::string &line : lines)
        text += line + "\n";
    return text;
}

bool writeApplicationDefaults(const std::vector<std::pair<std::string, std::string>> &values, const std::string &domain)
{
    const std::string path = settingsFilePath(domain);
    if (!makeFolders(std::filesystem::path(path).parent_path().string()))
        return false;
    return replaceFileContents(path, settingsTextWithDefaults(settingsFileText(domain), values), nullptr);
}

bool writePrivateDefaults(const std::vector<std::pair<std::string, std::string>> &values, const std::string &domain)
{
    const std::string path = settingsFilePath(domain);
    if (!makeFolders(std::filesystem::path(path).parent_path().string()))
        return false;
    // Made private before the secret goes in; a rewrite keeps the file's mode.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd == -1)
        return false;
    const bool madePrivate = fchmod(fd, 0600) == 0;
    close(fd);
    return madePrivate && writeApplicationDefaults(values, domain);
}

SerialDeviceFolders userSerialDeviceFolders()
{
    SerialDeviceFolders folders;
    if (const auto folder = readApplicationDefault("Extra Serial Device Folder"); folder && !folder->empty())
        folders.extra = *folder;
    return folders;
}

std::optional<SerialDevice> rememberedSerialDevice(const std::vector<SerialDevice> &scanned)
{
    const auto title = readApplicationDefault("SerialDevice");
    if (!title || title->empty())
        return std::nullopt;
    for (const SerialDevice &device : scanned)
        if (device.title == *title)
            return device;
    return std::nullopt;
}

bool rememberSerialDevicePath(const std::string &path)
{
    const SerialDeviceFolders folders = userSerialDeviceFolders();
    if (const auto device = serialDeviceAt(scanSerialDevices(folders), path); device && device->hasStableName())
        return writeApplicationDefaults({{"SerialDevice", device->title}});
    const std::filesystem::path device(path);
    const std::string name = device.filename().string();
    if (name.rfind("tty", 0) != 0 || name.size() == 3)
        return false;
    const std::string title = name.substr(3);
    if (device.parent_path() == "/dev")
        return writeApplicationDefaults({{"SerialDevice", title}});
    return writeApplicationDefaults({{"SerialDevice", title}, {"Extra Serial Device Folder", device.parent_path().string()}});
}

std::optional<std::string> rememberedSerialDevicePath()
{
    const auto device = rememberedSerialDevice(scanSerialDevices(userSerialDeviceFolders()));
    return device ? std::optional(device->path) : std::nullopt;
}
