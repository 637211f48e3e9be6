#include "document/CoordinateText.h"
#include "document/FieldFormatters.h"

#include <gtest/gtest.h>

namespace {

// A field as the user types into it: each key replaces the selection, then the check decides.
template <typename Formatter>
struct Field {
    std::string text;
    TextSelection selection;

    void type(char key)
    {
        std::string proposed = text;
        proposed.replace(selection.start, selection.length, 1, key);
        apply(proposed, {selection.start + 1, 0});
    }
    void backspace()
    {
        std::string proposed = text;
        const int start = selection.length ? selection.start : std::max(0, selection.start - 1);
        proposed.erase(start, selection.length ? selection.length : selection.start - start);
        apply(proposed, {start, 0});
    }
    void apply(const std::string &proposed, TextSelection proposedSelection)
    {
        const PartialCheck check = Formatter::isPartialStringValid(proposed, proposedSelection, text, selection);
        if (check.accepted) {
            text = proposed;
            selection = proposedSelection;
        } else if (check.text != proposed) {
            text = check.text;
            selection = check.selection;
        }
    }
};

}  // namespace

TEST(HouseCodeFormatter, OneLetterAToPReplacesTheCell)
{
    Field<houseCodeFormatter> field {"A", {1, 0}};
    field.type('c');
    EXPECT_EQ(field.text, "C");
    EXPECT_EQ(field.selection, (TextSelection {0, 1}));
    EXPECT_EQ(houseCodeFormatter::objectValueForString(field.text), 2);
    field.type('p');
    EXPECT_EQ(field.text, "P") << "lower case is taken as upper";
    field.type('q');
    field.type('3');
    EXPECT_EQ(field.text, "P");
    field.backspace();
    EXPECT_EQ(field.text, "P") << "a deletion back to the start is refused";
    EXPECT_EQ(houseCodeFormatter::stringForObjectValue(15), "P");
    EXPECT_EQ(houseCodeFormatter::objectValueForString("Z"), 0);
}

// Each row types its keys into a cell holding `start`, all of it selected.
TEST(ModuleNumberFormatter, DigitsBuildANumberWithinOneToSixteen)
{
    struct Case {
        const char *start, *keys, *text;
    } cases[] = {{"", "12", "12"}, {"", "127", "12"},        {"", "17", "1"},
                 {"", "0", ""},    {"12", "L", "All Lights"}, {"12", "Lm", "All Modules"}};
    for (const Case &c : cases) {
        Field<moduleNumberFormatter> field {c.start, {0, static_cast<int>(std::string(c.start).size())}};
        for (const char *key = c.keys; *key; ++key)
            field.type(*key);
        EXPECT_EQ(field.text, c.text) << c.keys;
    }
    EXPECT_EQ(moduleNumberFormatter::objectValueForString("All Modules"), 18);
    EXPECT_EQ(moduleNumberFormatter::objectValueForString("All Lights"), 17);
    EXPECT_EQ(moduleNumberFormatter::objectValueForString(" 7"), 7);
    EXPECT_EQ(moduleNumberFormatter::stringForObjectValue(17), "All Lights");
    EXPECT_EQ(moduleNumberFormatter::stringForObjectValue(9), "9");
}

TEST(ModuleTypeFormatter, LAndAChooseTheType)
{
    Field<moduleTypeFormatter> field {"Appliance", {0, 9}};
    field.type('l');
    EXPECT_EQ(field.text, "Light");
    EXPECT_EQ(field.selection, (TextSelection {0, 5}));
    field.type('x');
    EXPECT_EQ(field.text, "Light");
    field.type('A');
    EXPECT_EQ(field.text, "Appliance");
    EXPECT_EQ(moduleTypeFormatter::objectValueForString("Light"), 1);
    EXPECT_EQ(moduleTypeFormatter::objectValueForString("Dimmer"), 2);
    EXPECT_EQ(moduleTypeFormatter::stringForObjectValue(2), "");
}

TEST(TimeOffsetFormatter, HoursAndMinutesOrMinutesAlone)
{
    struct Case {
        const char *text;
        int hour, minute;  // -1: refused
    } cases[] = {{"1:30", 1, 30}, {"1: 30", 1, 30}, {"45", 0, 45}, {"0", 0, 0},    {"90", -1, 0}, {"24:00", -1, 0},
                 {"59", 0, 59},   {"60", -1, 0},    {"23:59", 23, 59},
                 {"1:60", -1, 0}, {"1:30x", -1, 0}, {"-5", -1, 0}, {"", -1, 0},   {"1:", -1, 0}, {"45 ", -1, 0}};
    for (const Case &c : cases) {
        const auto value = timeOffsetFormatter::objectValueForString(c.text);
        ASSERT_EQ(value.has_value(), c.hour >= 0) << c.text;
        if (value) {
            EXPECT_EQ(value->hour, c.hour) << c.text;
            EXPECT_EQ(value->minute, c.minute) << c.text;
        }
    }
    EXPECT_EQ(timeOffsetFormatter::stringForObjectValue(makeDateTimeRec(0, 0, 0, 1, 5)), "01:05");
}

// Latitude and longitude are shown and typed with their hemisphere's letter; a minus sign or a
// letter of the other axis, or a place past the poles or the date line, is no coordinate.
TEST(CoordinateText, HemispheresByTheirLetters)
{
    EXPECT_EQ(coordinateText(41, CoordinateAxis::Latitude), "41.00\u00B0 N");
    EXPECT_EQ(coordinateText(-33.87, CoordinateAxis::Latitude), "33.87\u00B0 S");
    EXPECT_EQ(coordinateText(-74, CoordinateAxis::Longitude), "74.00\u00B0 W");
    EXPECT_EQ(coordinateText(0, CoordinateAxis::Longitude), "0.00\u00B0 E");
    struct Case {
        const char *text;
        CoordinateAxis axis;
        std::optional<double> degrees;
    } cases[] = {
        {"74.00\u00B0 W", CoordinateAxis::Longitude, -74}, {"74 w", CoordinateAxis::Longitude, -74},
        {"-74", CoordinateAxis::Longitude, -74},           {"151.2 E", CoordinateAxis::Longitude, 151.2},
        {"41", CoordinateAxis::Latitude, 41},              {"33.9\u00B0S", CoordinateAxis::Latitude, -33.9},
        {"41 W", CoordinateAxis::Latitude, std::nullopt},   {"-41 S", CoordinateAxis::Latitude, std::nullopt},
        {"91 N", CoordinateAxis::Latitude, std::nullopt},   {"181", CoordinateAxis::Longitude, std::nullopt},
        {"", CoordinateAxis::Latitude, std::nullopt},       {"N", CoordinateAxis::Latitude, std::nullopt},
        {"4x", CoordinateAxis::Latitude, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(coordinateFromText(c.text, c.axis), c.degrees) << c.text;
}
