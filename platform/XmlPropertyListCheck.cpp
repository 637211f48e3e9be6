#include "platform/XmlPropertyListCheck.h"

#include <cstdint>
#include <string_view>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A decimal whole number, maybe signed, from -2^63 to 2^64 - 1 as the property list holds it.
bool isWholeNumber(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const uint64_t limit = negative ? uint64_t(1) << 63 : UINT64_MAX;
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

std::string quoted(std::string_view text)
{
    constexpr std::size_t Shown = 40;
    return "\"" + std::string(text.substr(0, Shown)) + (text.size() > Shown ? "…" : "") + "\"";
}

}  // namespace

std::string xmlPropertyListProblem(std::string_view xml, int maxDepth, std::size_t maxElements)
{
    int depth = 0;
    std::size_t elements = 0;
    for (std::size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at)) {
        const std::string_view rest = xml.substr(at);
        // Markup that holds no element: skipped to its end, wherever a '>' falls inside it.
        const auto skip = [&](std::string_view opening, std::string_view closing) {
            if (rest.substr(0, opening.size()) != opening)
                return false;
            const std::size_t end = xml.find(closing, at + opening.size());
            at = end == std::string_view::npos ? xml.size() : end + closing.size();
            return true;
        };
        if (skip("<!--", "-->") || skip("<![CDATA[", "]]>") || skip("<?", "?>"))
            continue;
        const std::size_t end = xml.find('>', at);
        if (end == std::string_view::npos)
            break;  // an unfinished tag: the parser refuses it
        const std::string_view tag = xml.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.substr(0, 1) == "!") {
            if (tag.find('[') != std::string_view::npos)
                return "the XML property list declares a document type of its own";
            continue;
        }
        if (tag.substr(0, 1) == "/") {
            depth = depth > 0 ? depth - 1 : 0;
            continue;
        }
        if (++elements > maxElements)
            return "the XML property list holds more elements than a document does";
        if (tag.substr(tag.size() - (tag.empty() ? 0 : 1)) == "/")
            continue;
        if (++depth > maxDepth)
            return "the XML property list nests deeper than a document does";
        if (tag == "integer") {
            const std::size_t close = xml.find('<', at);
            const std::string_view number = xml.substr(at, close == std::string_view::npos ? xml.size() - at : close - at);
            if (!isWholeNumber(number))
                return "the XML property list holds " + quoted(number) + " where a whole number belongs";
        }
    }
    return {};
}
