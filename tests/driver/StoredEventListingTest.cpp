#include "driver/StoredEventListing.h"
#include "platform/DateTime.h"
#include "tests/support/Dates.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr char Heading[] = "Events from CP290 as of Fri 12/04/26 02:15 PM:\n\n";

struct Upload {
    uint8_t records[CP290TimerRecordCount][CP290TimerRecordSize];
    Upload() { std::memset(records, 0xFF, sizeof records); }
    Upload &with(int number, std::vector<uint8_t> bytes)
    {
        std::copy(bytes.begin(), bytes.end(), records[number] + 2);
        return *this;
    }
};

std::string listing(const Upload &upload)
{
    DateTimeRec now;
    SecondsToDate(secondsAt(2026, 12, 4, 14, 15), &now);
    return storedEventListingText(upload.records, now);
}

}  // namespace

TEST(StoredEventListing, EachRecordIsOneLineOfHouseUnitsFunctionTimeAndDays)
{
    struct Case {
        std::vector<uint8_t> record;  // mode, days, hour, minute, units 1-8, units 9-16, house, function
        const char *line;
    } cases[] = {
        {{0x08, 0x1F, 19, 5, 0xA0, 0x00, 0x60, 0x02}, "A-1 3  Turn On @ 7:05 PM   MTWTF \n"},
        {{0x08, 0x7F, 0, 0, 0x00, 0x01, 0xC0, 0x03}, "P-16  Turn Off @ 12:00 AM Every Day\n"},
        {{0x08, 0x41, 12, 30, 0x80, 0x00, 0x60, 0x02}, "A-1  Turn On @ 12:30 PM  SM     \n"},
        {{0x09, 0x20, 23, 0, 0x00, 0x80, 0xE0, 0x85}, "B-9  Turn On 50.0% @ 11:00 PM (Security)        S\n"},
        {{0x04, 0x7F, 6, 48, 0x00, 0x10, 0xE0, 0x85}, "B-12  Turn On 50.0% @ 6:48 AM    Today\n"},
        {{0x02, 0x00, 1, 2, 0x01, 0x00, 0x20, 0xE5}, "C-8  Turn On 12.5% @ 1:02 AM Tomorrow\n"},
        {{0x08, 0x7F, 21, 0, 0x00, 0x00, 0x10, 0x01}, "E-All Light Modules Turn On @ 9:00 PM Every Day\n"},
        {{0x08, 0x7F, 23, 30, 0x00, 0x00, 0x00, 0x00}, "M-All Modules Turn Off @ 11:30 PM Every Day\n"},
        {{0x08, 0x7F, 13, 1, 0x40, 0x00, 0x60, 0x05}, "A-2  Turn On 100.0% @ 1:01 PM Every Day\n"},
        {{0x08, 0x7F, 7, 30, 0x80, 0x00, 0x61, 0x02}, "?-1  Turn On @ 7:30 AM Every Day\n"},  // no such house
    };
    for (const Case &c : cases)
        EXPECT_EQ(listing(Upload().with(7, c.record)), std::string(Heading) + c.line);
}

TEST(StoredEventListing, RecordsAreSortedByTimeAndOneMinuteListsLastRecordFirst)
{
    Upload upload;
    upload.with(0, {0x08, 0x7F, 19, 5, 0x80, 0x00, 0x60, 0x02})
        .with(4, {0x08, 0x7F, 7, 30, 0x40, 0x00, 0x60, 0x02})
        .with(6, {0x08, 0x7F, 7, 29, 0x08, 0x00, 0x60, 0x02})
        .with(9, {0x08, 0x7F, 7, 30, 0x20, 0x00, 0x60, 0x02})
        .with(127, {0x08, 0x7F, 0, 15, 0x10, 0x00, 0x60, 0x02});
    EXPECT_EQ(listing(upload), std::string(Heading)
                  + "A-4  Turn On @ 12:15 AM Every Day\n"
                    "A-5  Turn On @ 7:29 AM Every Day\n"
                    "A-3  Turn On @ 7:30 AM Every Day\n"
                    "A-2  Turn On @ 7:30 AM Every Day\n"
                    "A-1  Turn On @ 7:05 PM Every Day\n");
}

TEST(StoredEventListing, UnknownFunctionByteGarblesTheWholeListing)
{
    Upload upload;
    upload.with(0, {0x08, 0x7F, 7, 30, 0x80, 0x00, 0x60, 0x02}).with(1, {0x08, 0x7F, 8, 0, 0x80, 0x00, 0x60, 0x15});
    EXPECT_EQ(listing(upload), "Events from CP290 garbled; Try sending events again.");
}
