#include "platform/BinaryPropertyListCheck.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t HeaderSize = 8;   // "bplist00"
constexpr std::size_t TrailerSize = 32;
constexpr uint64_t NodeCost = 32;
constexpr uint64_t ExpansionPerByte = 64;
constexpr uint64_t ExpansionAllowance = 16u << 20;

enum : uint8_t { Data = 0x4, AsciiString = 0x5, Utf16String = 0x6, Uid = 0x8, Array = 0xA, Set = 0xC, Dictionary = 0xD };

class Walk {
public:
    explicit Walk(std::string_view list) : bytes(reinterpret_cast<const uint8_t *>(list.data())), size(list.size()) {}

    std::string check(int maxDepth)
    {
        if (size < HeaderSize + TrailerSize)
            return "the binary property list is cut short";
        const uint8_t *trailer = bytes + size - TrailerSize;
        offsetSize = trailer[6];
        refSize = trailer[7];
        objects = number(trailer + 8, 8);
        const uint64_t top = number(trailer + 16, 8);
        tableStart = number(trailer + 24, 8);
        if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8)
            return "the binary property list's trailer is damaged";
        if (tableStart < HeaderSize || tableStart > size - TrailerSize
            || objects == 0 || objects > (size - TrailerSize - tableStart) / offsetSize || top >= objects)
            return "the binary property list's offset table is damaged";

        if (sharesAnOffset())
            return "the binary property list gives two of its objects one place";

        // The parser copies a string or data object once for every reference to it, and builds a
        // node for each: what that comes to is bounded by a small multiple of the file.
        const uint64_t budget = ExpansionPerByte * size + ExpansionAllowance;
        uint64_t expanded = 0;
        std::vector<bool> containerSeen(objects, false);
        struct Pending {
            uint64_t object;
            int depth;
        };
        std::vector<Pending> pending {{top, 1}};
        while (!pending.empty()) {
            const Pending next = pending.back();
            pending.pop_back();
            uint64_t start = 0, length = 0;
            uint8_t type = 0;
            if (!extent(next.object, &type, &start, &length))
                return "object " + std::to_string(next.object) + " of the binary property list lies outside it";
            expanded += NodeCost + (type == Data || type == AsciiString || type == Utf16String ? length : 0);
            if (expanded > budget)
                return "the binary property list repeats its objects far beyond its own size";
            if (type != Array && type != Set && type != Dictionary)
                continue;
            if (containerSeen[next.object])
                return "the binary property list refers to one array or dictionary more than once";
            containerSeen[next.object] = true;
            if (next.depth > maxDepth)
                return "the binary property list nests deeper than a document does";
            const uint64_t refs = length / refSize;
            for (uint64_t ref = 0; ref < refs; ++ref) {
                const uint64_t target = number(bytes + start + ref * refSize, refSize);
                if (target >= objects)
                    return "the binary property list refers to an object it does not hold";
                // The first half of a dictionary's references are its keys.
                if (type == Dictionary && ref < refs / 2 && !isKey(target))
                    return "a key of the binary property list is not a string of text";
                pending.push_back({target, next.depth + 1});
            }
        }
        return {};
    }

private:
    // Each object number has a place of its own: two numbers for one place would make the parser
    // build that object, and everything under it, once for each.
    bool sharesAnOffset() const
    {
        std::vector<uint64_t> offsets(objects);
        for (uint64_t object = 0; object < objects; ++object)
            offsets[object] = number(bytes + tableStart + object * offsetSize, offsetSize);
        std::sort(offsets.begin(), offsets.end());
        return std::adjacent_find(offsets.begin(), offsets.end()) != offsets.end();
    }

    uint64_t number(const uint8_t *at, std::size_t width) const
    {
        uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value = value << 8 | at[i];
        return value;
    }

    // A string without a NUL in it: the parser takes a key's length from its first NUL and
    // stops the program when the two disagree.
    bool isKey(uint64_t object) const
    {
        uint64_t start = 0, length = 0;
        uint8_t type = 0;
        if (!extent(object, &type, &start, &length) || (type != AsciiString && type != Utf16String))
            return false;
        for (uint64_t at = 0; at < length; at += type == AsciiString ? 1 : 2)
            if (bytes[start + at] == 0 && (type == AsciiString || bytes[start + at + 1] == 0))
                return false;
        return true;
    }

    // Where an object's content (its bytes, or its references) starts and how long it is; false
    // when any of it lies outside the objects' part of the file.
    bool extent(uint64_t object, uint8_t *type, uint64_t *start, uint64_t *length) const
    {
        const uint64_t offset = number(bytes + tableStart + object * offsetSize, offsetSize);
        if (offset < HeaderSize || offset >= tableStart)
            return false;
        const uint8_t marker = bytes[offset];
        *type = marker >> 4;
        uint64_t count = marker & 0x0F;
        *start = offset + 1;
        const bool counted = *type == Data || *type == AsciiString || *type == Utf16String || *type == Array
            || *type == Set || *type == Dictionary;
        if (counted && count == 0x0F) {
            // The count follows as an integer object of 1, 2, 4 or 8 bytes.
            if (*start >= tableStart || (bytes[*start] >> 4) != 0x1 || (bytes[*start] & 0x0F) > 3)
                return false;
            const uint64_t width = uint64_t(1) << (bytes[*start] & 0x0F);
            if (*start + 1 + width > tableStart)
                return false;
            count = number(bytes + *start + 1, width);
            *start += 1 + width;
        }
        const uint64_t room = tableStart - *start;
        switch (*type) {
        case 0x0:
            *length = 0;
            break;
        case 0x1:
        case 0x2:
            if (count > 4)
                return false;
            *length = uint64_t(1) << count;
            break;
        case 0x3:
            *length = 8;
            break;
        case Data:
        case AsciiString:
            *length = count;
            break;
        case Utf16String:
            if (count > room / 2)
                return false;
            *length = count * 2;
            break;
        case Uid:
            *length = count + 1;
            break;
        case Array:
        case Set:
            if (count > room / refSize)
                return false;
            *length = count * refSize;
            break;
        case Dictionary:
            if (count > room / refSize / 2)
                return false;
            *length = count * refSize * 2;
            break;
        default:
            return false;
        }
        return *length <= room;
    }

    const uint8_t *bytes;
    uint64_t size;
    unsigned offsetSize = 0;
    unsigned refSize = 0;
    uint64_t objects = 0;
    uint64_t tableStart = 0;
};

}  // namespace

std::string binaryPropertyListProblem(std::string_view bytes, int maxDepth)
{
    return Walk(bytes).check(maxDepth);
}
