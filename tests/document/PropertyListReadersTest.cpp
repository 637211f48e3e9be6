#include "platform/BinaryPropertyListCheck.h"
#include "document/DocumentFile.h"
#include "document/Pasteboard.h"
#include "tests/support/Events.h"

#include <gtest/gtest.h>

namespace {

std::string bigEndian(uint64_t value, int width)
{
    std::string bytes(static_cast<std::size_t>(width), '\0');
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return bytes;
}

// A binary property list written by hand: the objects' bytes, their offset table, the trailer.
std::string binaryList(const std::vector<std::string> &objects, int refSize, uint64_t top = 0)
{
    std::string bytes = "bplist00";
    std::string table;
    for (const std::string &object : objects) {
        table += bigEndian(bytes.size(), 8);
        bytes += object;
    }
    const uint64_t tableStart = bytes.size();
    bytes += table + std::string(6, '\0') + char(8) + char(refSize);
    return bytes + bigEndian(objects.size(), 8) + bigEndian(top, 8) + bigEndian(tableStart, 8);
}

std::string arrayOf(const std::vector<uint64_t> &refs, int refSize)
{
    std::string object = refs.size() < 15 ? std::string(1, char(0xA0 | refs.size()))
                                          : std::string("\xAF\x13", 2) + bigEndian(refs.size(), 8);
    for (const uint64_t ref : refs)
        object += bigEndian(ref, refSize);
    return object;
}

// Arrays each holding the next one, `depth` deep.
std::string nestedArrays(int depth)
{
    std::vector<std::string> objects;
    for (int level = 0; level + 1 < depth; ++level)
        objects.push_back(arrayOf({uint64_t(level + 1)}, 4));
    objects.push_back(arrayOf({}, 4));
    return binaryList(objects, 4);
}

// Arrays each naming the next one twice: a few hundred bytes that stand for 2^count nodes.
std::string doublingArrays(int count)
{
    std::vector<std::string> objects;
    for (int level = 0; level < count; ++level)
        objects.push_back(arrayOf({uint64_t(level + 1), uint64_t(level + 1)}, 1));
    objects.push_back("\x10\x01");
    return binaryList(objects, 1);
}

}  // namespace

// Each hostile shape is refused with its reason before the parser sees it, by the document reader
// and by every pasteboard reader alike; nothing crashes, nothing grows without bound.
TEST(BinaryPropertyListCheck, HostileShapesAreRefusedWithTheirReason)
{
    struct Case {
        const char *what;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"100,000 nested arrays", nestedArrays(100000), "nests deeper than a document does"},
        {"30 arrays each named twice", doublingArrays(30), "refers to one array or dictionary more than once"},
        {"an array holding itself", binaryList({arrayOf({0}, 1)}, 1), "refers to one array or dictionary more than once"},
        {"a reference past the objects", binaryList({arrayOf({7}, 1)}, 1), "refers to an object it does not hold"},
        {"a top object past the objects", binaryList({arrayOf({}, 1)}, 1, 3), "offset table is damaged"},
        {"a count past the end", binaryList({std::string("\xAF\x13", 2) + bigEndian(1u << 30, 8)}, 1), "lies outside it"},
        {"a reference size of 0", binaryList({arrayOf({}, 1)}, 0), "trailer is damaged"},
        {"a key with a NUL in it", binaryList({"\xD1\x01\x02", std::string("\x52N\0", 3), "\x10\x01"}, 1),
         "key of the binary property list is not a string"},
        {"a key that is a number", binaryList({"\xD1\x02\x01", "\x51N", "\x10\x01"}, 1),
         "key of the binary property list is not a string"},
        {"only a header", std::string("bplist00") + std::string(20, '\0'), "cut short"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(binaryPropertyListProblem(c.bytes).find(c.reason) != std::string::npos, true)
            << c.what << ": " << binaryPropertyListProblem(c.bytes);
        const DocumentReadResult read = readDocumentBytes(c.bytes);
        EXPECT_FALSE(read.content) << c.what;
        EXPECT_NE(read.error.find(c.reason), std::string::npos) << c.what << ": " << read.error;
        EXPECT_FALSE(modulesFromClipboardData(c.bytes)) << c.what;
        EXPECT_FALSE(eventsFromClipboardData(c.bytes)) << c.what;
        EXPECT_FALSE(modulesFromDragData(c.bytes)) << c.what;
        EXPECT_FALSE(eventsFromDragData(c.bytes)) << c.what;
    }
}

TEST(BinaryPropertyListCheck, WhatTheWritersProduceIsAccepted)
{
    EXPECT_EQ(binaryPropertyListProblem(nestedArrays(31)), "");
    EXPECT_NE(binaryPropertyListProblem(nestedArrays(33)), "");
    std::vector<Module> modules(300, module(2, 5, {clockEvent(EventOn | EventAllDays, 7, 0), clockEvent(EventAllDays, 8, 0)}));
    modules[7].name = "Porch";
    const std::string clipboard = modulesClipboardData(modules);
    EXPECT_EQ(binaryPropertyListProblem(clipboard), "");
    EXPECT_EQ(modulesFromClipboardData(clipboard), modules);
    const std::string drag = eventsDragData({{1, 2}, {0, 2}});
    EXPECT_EQ(binaryPropertyListProblem(drag), "");
}
