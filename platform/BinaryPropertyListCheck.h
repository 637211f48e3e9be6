#pragma once

#include <string>
#include <string_view>

// The binary property-list parser trusts its input: a deep nest overflows its stack, arrays that
// refer to one another twice grow to billions of nodes, and a reference out of range reads
// anywhere. A binary property list is checked here first, by walking its offset table and the
// references from the top object without building anything: every reference in range, every
// object inside the file and in a place of its own, no deeper nesting than `maxDepth`, no array or
// dictionary reached twice (the writers of these files never share one), and the strings and data
// the references copy no more than a small multiple of the file, so the tree stays near its size.
// Gives why the bytes are refused, or an empty string when they may be parsed.
std::string binaryPropertyListProblem(std::string_view bytes, int maxDepth = 32);
