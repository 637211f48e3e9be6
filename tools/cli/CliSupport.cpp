#include "CliSupport.h"

#include <cctype>
#include <cstdio>

int usage(const std::string &problem)
{
    std::fprintf(stderr, "tavorin-cli: %s; see 'tavorin-cli --help'\n",
                 problem.empty() ? "a command is needed" : problem.c_str());
    return UsageError;
}

std::optional<int> wholeNumber(const std::string &text, int low, int high)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 6)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> houseIndexOf(char letter)
{
    const int upper = std::toupper(static_cast<unsigned char>(letter));
    if (upper < 'A' || upper > 'P')
        return std::nullopt;
    return upper - 'A';
}
