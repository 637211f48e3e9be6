#pragma once

#include <string>

// The binary property-list parser trusts its input: a deep nest overflows its stack, arrays that
// refer to one another twice grow to billions of nodes, and a reference out of range reads
// anywhere. A binary property list is checked here first, by walking its offset table and the
// references from the top object without building anything: every reference in range, every
// object inside the file, no deeper nesting than `maxDepth`, and no array or dictionary reached
// twice (the writers of these files never share one), so the tree is no larger than the file.
// Gives why the bytes are refused, or an empty string when they may be parsed.
std::string binaryPropertyListProblem(const std::string &bytes, int maxDepth = 32);
