#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// Just enough JSON to read what another program sends: a whole text as one value, strictly as
// RFC 8259 has it (no comments, no trailing commas, nothing after the value), nested at most
// `JsonDepthLimit` deep, so that a hostile text costs no more than its length.
struct JsonValue;
using JsonObjectMembers = std::map<std::string, JsonValue>;
struct JsonValue {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<JsonValue>, JsonObjectMembers> value;

    const JsonObjectMembers *object() const { return std::get_if<JsonObjectMembers>(&value); }
    const std::string *string() const { return std::get_if<std::string>(&value); }
    const double *number() const { return std::get_if<double>(&value); }
    // The member named `name` of an object; nothing for another value or a missing member.
    const JsonValue *member(const std::string &name) const;
};

inline constexpr int JsonDepthLimit = 32;

// The value of the text; nothing, with `problem` saying what is wrong and where, when it is not
// one JSON value. A member named twice keeps its last value.
std::optional<JsonValue> readJson(const std::string &text, std::string *problem = nullptr);
