#include "platform/JsonReading.h"

#include <cmath>
#include <cstdlib>

const JsonValue *JsonValue::member(const std::string &name) const
{
    const JsonObjectMembers *members = object();
    if (!members)
        return nullptr;
    const auto found = members->find(name);
    return found == members->end() ? nullptr : &found->second;
}

namespace {

class JsonReader {
public:
    explicit JsonReader(const std::string &source) : text(source) {}

    std::optional<JsonValue> document()
    {
        JsonValue value;
        skipSpace();
        if (!readValue(&value, 0))
            return std::nullopt;
        skipSpace();
        if (at < text.size())
            return fail("text after the value");
        return value;
    }

    std::string problem;

private:
    std::nullopt_t fail(const std::string &what)
    {
        if (problem.empty())
            problem = what + " at character " + std::to_string(at + 1);
        return std::nullopt;
    }
    bool failed(const std::string &what)
    {
        fail(what);
        return false;
    }

    void skipSpace()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r'))
            ++at;
    }
    bool take(char expected)
    {
        skipSpace();
        if (at < text.size() && text[at] == expected) {
            ++at;
            return true;
        }
        return false;
    }
    bool takeWord(const char *word)
    {
        const std::string expected = word;
        if (text.compare(at, expected.size(), expected) != 0)
            return false;
        at += expected.size();
        return true;
    }

    bool readValue(JsonValue *value, int depth)
    {
        if (depth >= JsonDepthLimit)
            return failed("nesting deeper than " + std::to_string(JsonDepthLimit));
        skipSpace();
        if (at >= text.size())
            return failed("a value missing");
        const char c = text[at];
        if (c == '{')
            return readObject(value, depth);
        if (c == '[')
            return readArray(value, depth);
        if (c == '"') {
            std::string string;
            if (!readString(&string))
                return false;
            value->value = std::move(string);
            return true;
        }
        if (takeWord("true")) {
            value->value = true;
            return true;
        }
        if (takeWord("false")) {
            value->value = false;
            return true;
        }
        if (takeWord("null")) {
            value->value = nullptr;
            return true;
        }
        return readNumber(value);
    }

    bool readObject(JsonValue *value, int depth)
    {
        ++at;
        JsonObjectMembers members;
        if (!take('}')) {
            do {
                skipSpace();
                std::string name;
                if (at >= text.size() || text[at] != '"' || !readString(&name))
                    return failed("a member name missing");
                if (!take(':'))
                    return failed("':' missing");
                JsonValue member;
                if (!readValue(&member, depth + 1))
                    return false;
                members[name] = std::move(member);
            } while (take(','));
            if (!take('}'))
                return failed("'}' missing");
        }
        value->value = std::move(members);
        return true;
    }

    bool readArray(JsonValue *value, int depth)
    {
        ++at;
        std::vector<JsonValue> items;
        if (!take(']')) {
            do {
                JsonValue item;
                if (!readValue(&item, depth + 1))
                    return false;
                items.push_back(std::move(item));
            } while (take(','));
            if (!take(']'))
                return failed("']' missing");
        }
        value->value = std::move(items);
        return true;
    }

    bool readNumber(JsonValue *value)
    {
        const std::size_t start = at;
        if (at < text.size() && text[at] == '-')
            ++at;
        const auto digits = [this] {
            const std::size_t first = at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
            return at - first;
        };
        const std::size_t whole = digits();
        if (whole == 0 || (whole > 1 && text[at - whole] == '0'))
            return failed("not a value");
        if (at < text.size() && text[at] == '.') {
            ++at;
            if (digits() == 0)
                return failed("digits missing after '.'");
        }
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-'))
                ++at;
            if (digits() == 0)
                return failed("digits missing in the exponent");
        }
        const double number = std::strtod(text.substr(start, at - start).c_str(), nullptr);
        if (!std::isfinite(number))
            return failed("a number out of range");
        value->value = number;
        return true;
    }

    bool readHex(unsigned *code)
    {
        if (at + 4 > text.size())
            return false;
        *code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text[at++];
            const unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                                   : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10)
                                   : c >= 'A' && c <= 'F' ? static_cast<unsigned>(c - 'A' + 10)
                                                          : 16;
            if (digit > 15)
                return false;
            *code = *code * 16 + digit;
        }
        return true;
    }

    static void appendUtf8(std::string *out, unsigned code)
    {
        if (code < 0x80) {
            *out += static_cast<char>(code);
        } else if (code < 0x800) {
            *out += static_cast<char>(0xC0 | (code >> 6));
            *out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            *out += static_cast<char>(0xE0 | (code >> 12));
            *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            *out += static_cast<char>(0xF0 | (code >> 18));
            *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool readEscape(std::string *out)
    {
        if (at >= text.size())
            return failed("an escape cut short");
        const char c = text[at++];
        switch (c) {
        case '"': case '\\': case '/': *out += c; return true;
        case 'b': *out += '\b'; return true;
        case 'f': *out += '\f'; return true;
        case 'n': *out += '\n'; return true;
        case 'r': *out += '\r'; return true;
        case 't': *out += '\t'; return true;
        case 'u': break;
        default: return failed("an unknown escape");
        }
        unsigned code = 0;
        if (!readHex(&code))
            return failed("a \\u escape without four hex digits");
        if (code >= 0xDC00 && code <= 0xDFFF)
            return failed("a lone low surrogate");
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low = 0;
            if (!takeWord("\\u") || !readHex(&low) || low < 0xDC00 || low > 0xDFFF)
                return failed("a high surrogate without its pair");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, code);
        return true;
    }

    bool readString(std::string *out)
    {
        ++at;
        while (at < text.size()) {
            const char c = text[at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return failed("a control character in a string");
            if (c == '\\') {
                if (!readEscape(out))
                    return false;
            } else {
                *out += c;
            }
        }
        return failed("a string without its closing quote");
    }

    const std::string &text;
    std::size_t at = 0;
};

}  // namespace

std::optional<JsonValue> readJson(const std::string &text, std::string *problem)
{
    JsonReader reader(text);
    std::optional<JsonValue> value = reader.document();
    if (!value && problem)
        *problem = reader.problem;
    return value;
}
