// Times reading a house of 200,000 modules (each with two events) from a file in binary and in XML
// form, as a document from elsewhere may come. The binary read must stay under two seconds.
// Usage: bench-read-document [MODULES]

#include "bench/BenchHouse.h"
#include "document/DocumentFile.h"
#include "document/ModulePropertyList.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

DocumentFileContent house(int modules)
{
    DocumentFileContent content;
    content.modules.reserve(static_cast<std::size_t>(modules));
    for (int i = 0; i < modules; ++i)
        content.modules.push_back(benchModule(i, 2));
    return content;
}

double secondsToRead(const std::string &bytes, std::size_t expected)
{
    const auto start = std::chrono::steady_clock::now();
    const DocumentReadResult read = readDocumentBytes(bytes);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!read.content || read.content->modules.size() != expected) {
        std::fprintf(stderr, "the document did not read back: %s\n", read.error.c_str());
        std::exit(1);
    }
    return took.count();
}

}  // namespace

int main(int argc, char **argv)
{
    const int modules = argc > 1 ? std::atoi(argv[1]) : 200000;
    const std::string xml = documentXml(house(modules));
    const PropertyListNode root = parsePropertyList(xml);
    const std::string binary = propertyListBinary(root.get());
    const double binarySeconds = secondsToRead(binary, static_cast<std::size_t>(modules));
    const double xmlSeconds = secondsToRead(xml, static_cast<std::size_t>(modules));
    std::printf("%d modules, binary (%zu bytes): %.3f s (%s 2 s)\n", modules, binary.size(), binarySeconds,
                binarySeconds < 2 ? "under" : "NOT under");
    std::printf("%d modules, XML (%zu bytes):    %.3f s\n", modules, xml.size(), xmlSeconds);
    return binarySeconds < 2 ? 0 : 1;
}
