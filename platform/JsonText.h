#pragma once

#include <string>
#include <utility>
#include <vector>

// Just enough JSON to write: values are built as text, members and items already in JSON.
std::string jsonString(const std::string &text);  // UTF-8 passes through; quotes, backslashes and controls are escaped
std::string jsonNumber(long value);
std::string jsonBool(bool value);
inline constexpr char JsonNull[] = "null";
std::string jsonArray(const std::vector<std::string> &items);
std::string jsonObject(const std::vector<std::pair<std::string, std::string>> &members);
std::string jsonStrings(const std::vector<std::string> &texts);
