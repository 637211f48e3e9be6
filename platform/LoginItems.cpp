#include "platform/LoginItems.h"

#include "platform/HelperBundle.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr char HelperEntryName[] = "tavorin-helper.desktop";

// An Exec line is read in three layers, outermost first: the string escapes of any value (\s,
// \n, \t, \r, \\), then the quoting of arguments (within double quotes a backslash takes the
// next character as it is), then field codes ("%%" a percent sign).

// The program of an Exec line: its first word, which may be quoted and hold blanks.
std::string programOf(const std::string &exec)
{
    std::string value;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '\\' || i + 1 == exec.size()) {
            value += exec[i];
            continue;
        }
        const char escaped = exec[++i];
        value += escaped == 's' ? ' ' : escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped;
    }
    std::string program;
    if (!value.empty() && value.front() == '"') {
        for (std::size_t i = 1; i < value.size() && value[i] != '"'; ++i) {
            if (value[i] == '\\' && i + 1 < value.size())
                ++i;
            program += value[i];
        }
    } else {
        program = value.substr(0, value.find(' '));
    }
    std::string literal;
    for (std::size_t i = 0; i < program.size(); ++i) {
        literal += program[i];
        if (program[i] == '%' && i + 1 < program.size() && program[i + 1] == '%')
            ++i;
    }
    return literal;
}

bool holdsForbiddenControl(const std::string &text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F;
    });
}

// A value as a desktop entry's string: the escapes \\, \t, \n and \r.
std::string stringValue(const std::string &text)
{
    std::string value;
    for (const char c : text)
        value += c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return value;
}

// The Exec value that starts `path`, or nothing when no desktop entry can hold it (a control
// character other than tab, line feed and return).
std::optional<std::string> execValue(const std::string &path)
{
    if (holdsForbiddenControl(path))
        return std::nullopt;
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\' || c == '`' || c == '$')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    quoted += '"';
    return stringValue(quoted);
}

}  // namespace

std::string loginItemsFolder()
{
    return userConfigFolder() + "/autostart";
}

std::vector<LoginItem> readLoginItems(const std::string &folder)
{
    std::vector<LoginItem> items;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().extension() != ".desktop")
            continue;
        std::ifstream file(entry->path());
        LoginItem item;
        item.entryFile = entry->path().string();
        for (std::string line; std::getline(file, line);) {
            if (line.rfind("Exec=", 0) == 0)
                item.path = programOf(line.substr(5));
            else if (line == "X-Tavorin-Hide=true")
                item.hide = true;
        }
        items.push_back(item);
    }
    std::sort(items.begin(), items.end(), [](const LoginItem &a, const LoginItem &b) { return a.entryFile < b.entryFile; });
    return items;
}

bool isHelperLoginItem(const LoginItem &item)
{
    return !item.path.empty() && item.path.find(HelperBundleName) != std::string::npos;
}

const LoginItem *findHelperLoginItem(const std::vector<LoginItem> &items)
{
    for (auto item = items.rbegin(); item != items.rend(); ++item)
        if (isHelperLoginItem(*item))
            return &*item;
    return nullptr;
}

bool addLoginItem(const std::string &path, bool hide, const std::string &application, const std::string &folder)
{
    const auto exec = execValue(path);
    if (!exec || holdsForbiddenControl(application) || !makeFolders(folder))
        return false;
    std::ofstream entry(folder + "/" + HelperEntryName, std::ios::trunc);
    entry << "[Desktop Entry]\nType=Application\nName=Tavorin Helper\n"
          << "Comment=Downloads the CP290's events again every day\n"
          << "Exec=" << *exec << "\n";
    // A session skips the entry once the application is gone (its package removed).
    if (!application.empty())
        entry << "TryExec=" << stringValue(application) << "\n";
    entry << "Terminal=false\nNoDisplay=true\n"
          << "X-Tavorin-Hide=" << (hide ? "true" : "false") << "\n";
    return static_cast<bool>(entry.flush());
}

void removeHelperLoginItem(const std::string &folder)
{
    const std::vector<LoginItem> items = readLoginItems(folder);
    if (const LoginItem *helper = findHelperLoginItem(items))
        removeLoginItem(*helper);
}

bool removeLoginItem(const LoginItem &item)
{
    std::error_code error;
    return fs::remove(item.entryFile, error);
}
