#pragma once

#include <optional>
#include <string>

std::string base64Encoded(const std::string &bytes);
// Nothing when the text holds anything but the 64 letters, padding and line breaks.
std::optional<std::string> base64Decoded(const std::string &text);
