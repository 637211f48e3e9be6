#include "platform/BinaryPropertyListCheck.h"
#include "platform/PropertyListGate.h"
#include "document/DocumentFile.h"
#include "document/Pasteboard.h"
#include "tests/support/Events.h"
#include "tests/support/HostileLists.h"

#include <gtest/gtest.h>

namespace {

DocumentFileContent smallDocument()
{
    DocumentFileContent content;
    content.modules = {module(2, 5, {clockEvent(EventOn | EventAllDays, 7, 0)})};
    content.modules[0].name = "Porch";
    return content;
}

// A small document as XML with its first integer written otherwise.
std::string sampleWithInteger(const std::string &written)
{
    std::string xml = documentXml(smallDocument());
    const std::size_t at = xml.find("<integer>");
    return xml.replace(at, xml.find("</integer>", at) - at, "<integer>" + written);
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
        {"a reference to one past the last object", binaryList({arrayOf({1}, 1)}, 1), "refers to an object it does not hold"},
        {"a top object past the objects", binaryList({arrayOf({}, 1)}, 1, 3), "offset table is damaged"},
        {"a count past the end", binaryList({std::string("\xAF\x13", 2) + bigEndian(1u << 30, 8)}, 1), "lies outside it"},
        {"a reference size of 0", binaryList({arrayOf({}, 1)}, 0), "trailer is damaged"},
        {"a key with a NUL in it", binaryList({"\xD1\x01\x02", std::string("\x52N\0", 3), "\x10\x01"}, 1),
         "key of the binary property list is not a string"},
        {"a key that is a number", binaryList({"\xD1\x02\x01", "\x51N", "\x10\x01"}, 1),
         "key of the binary property list is not a string"},
        {"only a header", std::string("bplist00") + std::string(20, '\0'), "cut short"},
        {"data one byte longer than the objects", binaryList({std::string("\x43") + "ab"}, 1), "lies outside it"},
        {"2,000 numbers for one array of 500", aliasedArrays(2000, 500), "gives two of its objects one place"},
        {"a 1 MB string named 3,000 times", sharedString(1 << 20, 3000), "repeats its objects far beyond its own size"},
        {"XML 1,000 deep", nestedXml(1000), "nests deeper than a document does"},
        {"XML 200,000 deep", nestedXml(200000), "nests deeper than a document does"},
        {"XML 1,000,000 deep", nestedXml(1000000), "nests deeper than a document does"},
        {"XML with declarations of its own", "<!DOCTYPE plist [<!ENTITY a \"b\">]><plist><array/></plist>",
         "declares a document type of its own"},
        {"a number that is letters", sampleWithInteger("abc"), "holds \"abc\" where a whole number belongs"},
        {"a number in exponent form", sampleWithInteger("1e3"), "holds \"1e3\" where a whole number belongs"},
        {"a number with a fraction", sampleWithInteger("3.0"), "holds \"3.0\" where a whole number belongs"},
        {"a number in hexadecimal", sampleWithInteger("0x10"), "holds \"0x10\" where a whole number belongs"},
        {"a number past 64 bits", sampleWithInteger("-99999999999999999999"), "where a whole number belongs"},
    };
    for (const Case &c : cases) {
        const PropertyListInput gate = checkedPropertyList(c.bytes);
        EXPECT_NE(gate.problem.find(c.reason), std::string::npos) << c.what << ": " << gate.problem;
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
    EXPECT_EQ(checkedPropertyList(nestedXml(31)).problem, "") << "31 arrays in the plist element";
    EXPECT_NE(checkedPropertyList(nestedXml(32)).problem, "");
    EXPECT_EQ(checkedPropertyList(sharedString(1000, 3000)).problem, "") << "short names shared by many modules";
    for (const char *number : {"0", "17", " 18 ", "-5", "+3", "18446744073709551615", "-9223372036854775808"})
        EXPECT_EQ(checkedPropertyList(sampleWithInteger(number)).problem, "") << number;
    const DocumentReadResult marked = readDocumentBytes("\xEF\xBB\xBF" + documentXml(smallDocument()));
    ASSERT_TRUE(marked.content) << "a UTF-8 byte-order mark: " << marked.error;
    EXPECT_EQ(*marked.content, smallDocument());

    EXPECT_EQ(binaryPropertyListProblem(nestedArrays(32)), "") << "32 levels, as in XML";
    EXPECT_NE(binaryPropertyListProblem(nestedArrays(33)), "");
    EXPECT_EQ(binaryPropertyListProblem(binaryList({std::string("\x42") + "ab"}, 1)), "") << "data that ends where the objects end";
    std::vector<Module> modules(300, module(2, 5, {clockEvent(EventOn | EventAllDays, 7, 0), clockEvent(EventAllDays, 8, 0)}));
    modules[7].name = "Porch";
    const std::string clipboard = modulesClipboardData(modules);
    EXPECT_EQ(binaryPropertyListProblem(clipboard), "");
    EXPECT_EQ(modulesFromClipboardData(clipboard), modules);
    const std::string drag = eventsDragData({{1, 2}, {0, 2}});
    EXPECT_EQ(binaryPropertyListProblem(drag), "");
}
