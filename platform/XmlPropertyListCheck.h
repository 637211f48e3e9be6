#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The XML property-list parser recurses once for every level of nesting, both while it builds the
// tree and while it frees it, and reads integers leniently ("abc" as 0, "1e3" as 1). The text is
// scanned here first, once and without building anything: no deeper nesting than `maxDepth` (a
// document needs four levels), no more than `maxElements` elements, no document type with
// declarations of its own, and every integer a decimal whole number that fits in 64 bits.
// Gives why the text is refused, or an empty string when it may be parsed.
std::string xmlPropertyListProblem(std::string_view xml, int maxDepth = 32, std::size_t maxElements = 2000000);
