#pragma once

// Property lists made by hand in the shapes that hostile files take, for the readers' tests.

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

inline std::string bigEndian(uint64_t value, int width)
{
    std::string bytes(static_cast<std::size_t>(width), '\0');
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return bytes;
}

// A binary property list written by hand: the objects' bytes, their offset table, the trailer.
// `places`, when given, names for each object number the object whose bytes it points at.
inline std::string binaryList(const std::vector<std::string> &objects, int refSize, uint64_t top = 0, std::vector<std::size_t> places = {})
{
    std::string bytes = "bplist00";
    std::vector<uint64_t> offsets;
    for (const std::string &object : objects) {
        offsets.push_back(bytes.size());
        bytes += object;
    }
    if (places.empty())
        for (std::size_t object = 0; object < objects.size(); ++object)
            places.push_back(object);
    std::string table;
    for (const std::size_t place : places)
        table += bigEndian(offsets[place], 8);
    const uint64_t tableStart = bytes.size();
    bytes += table + std::string(6, '\0') + char(8) + char(refSize);
    return bytes + bigEndian(places.size(), 8) + bigEndian(top, 8) + bigEndian(tableStart, 8);
}

inline std::string arrayOf(const std::vector<uint64_t> &refs, int refSize)
{
    std::string object = refs.size() < 15 ? std::string(1, char(0xA0 | refs.size()))
                                          : std::string("\xAF\x13", 2) + bigEndian(refs.size(), 8);
    for (const uint64_t ref : refs)
        object += bigEndian(ref, refSize);
    return object;
}

// Arrays each holding the next one, `depth` deep.
inline std::string nestedArrays(int depth)
{
    std::vector<std::string> objects;
    for (int level = 0; level + 1 < depth; ++level)
        objects.push_back(arrayOf({uint64_t(level + 1)}, 4));
    objects.push_back(arrayOf({}, 4));
    return binaryList(objects, 4);
}

// Arrays each naming the next one twice: a few hundred bytes that stand for 2^count nodes.
inline std::string doublingArrays(int count)
{
    std::vector<std::string> objects;
    for (int level = 0; level < count; ++level)
        objects.push_back(arrayOf({uint64_t(level + 1), uint64_t(level + 1)}, 1));
    objects.push_back("\x10\x01");
    return binaryList(objects, 1);
}

// `count` object numbers for one array of `width` numbers: a few kilobytes that the parser would
// build `count` times over.
inline std::string aliasedArrays(std::size_t count, std::size_t width)
{
    std::vector<uint64_t> all(count);
    std::iota(all.begin(), all.end(), 1);
    std::vector<std::size_t> places {0};
    places.insert(places.end(), count, 1);
    places.push_back(2);
    return binaryList({arrayOf(all, 4), arrayOf(std::vector<uint64_t>(width, count + 1), 4), "\x10\x01"}, 4, 0, places);
}

// One string of `length` bytes that an array names `references` times.
inline std::string sharedString(std::size_t length, std::size_t references)
{
    const std::string text = std::string("\x5F\x12", 2) + bigEndian(length, 4) + std::string(length, 'n');
    return binaryList({arrayOf(std::vector<uint64_t>(references, 1), 2), text}, 2);
}

// Arrays inside arrays, `depth` deep, in an XML property list.
inline std::string nestedXml(std::size_t depth)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    xml.reserve(xml.size() + depth * 15 + 10);
    for (std::size_t level = 0; level < depth; ++level)
        xml += "<array>";
    for (std::size_t level = 0; level < depth; ++level)
        xml += "</array>";
    return xml + "</plist>\n";
}

