#include "document/CoordinateText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

char letterFor(bool negative, CoordinateAxis axis)
{
    if (axis == CoordinateAxis::Latitude)
        return negative ? 'S' : 'N';
    return negative ? 'W' : 'E';
}

}  // namespace

std::string coordinateText(double degrees, CoordinateAxis axis)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f\u00B0 %c", std::fabs(degrees), letterFor(degrees < 0, axis));
    return text;
}

std::optional<double> coordinateFromText(const std::string &text, CoordinateAxis axis)
{
    std::string rest = text;
    const auto trim = [&rest] {
        while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back())))
            rest.pop_back();
        while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front())))
            rest.erase(rest.begin());
    };
    trim();
    bool negative = false;
    if (!rest.empty() && std::isalpha(static_cast<unsigned char>(rest.back()))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(rest.back())));
        if (letter != letterFor(false, axis) && letter != letterFor(true, axis))
            return std::nullopt;
        negative = letter == letterFor(true, axis);
        rest.pop_back();
        trim();
    }
    const std::string degreeMark = "\u00B0";
    if (rest.size() >= degreeMark.size() && rest.compare(rest.size() - degreeMark.size(), degreeMark.size(), degreeMark) == 0)
        rest.resize(rest.size() - degreeMark.size());
    trim();
    if (rest.empty())
        return std::nullopt;
    char *end = nullptr;
    const double value = std::strtod(rest.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || (negative && value < 0))
        return std::nullopt;
    const double degrees = negative ? -value : value;
    const double limit = axis == CoordinateAxis::Latitude ? 90 : 180;
    if (std::fabs(degrees) > limit)
        return std::nullopt;
    return degrees;
}
