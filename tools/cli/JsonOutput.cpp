#include "JsonOutput.h"

#include "driver/TimerRecordFields.h"
#include "platform/JsonText.h"

#include <cstdio>

std::string timerRecordJson(int number, const uint8_t (&record)[CP290TimerRecordSize])
{
    const TimerRecordFields fields = timerRecordFields(record);
    std::vector<std::string> units;
    for (const int unit : fields.units())
        units.push_back(jsonNumber(unit));
    const auto function = fields.function();
    return jsonObject({{"number", jsonNumber(number)},
                       {"house", jsonString(std::string(1, fields.house()))},
                       {"units", jsonArray(units)},
                       {"function", function ? jsonString(*function) : JsonNull},
                       {"brightness", jsonNumber(fields.brightness())},
                       {"mode", jsonString(fields.mode())},
                       {"days", jsonStrings(fields.days())},
                       {"hour", jsonNumber(fields.hour)},
                       {"minute", jsonNumber(fields.minute)},
                       {"bytes", jsonString(timerRecordHex(record))}});
}

void printJson(const std::string &document)
{
    std::printf("%s\n", document.c_str());
}
