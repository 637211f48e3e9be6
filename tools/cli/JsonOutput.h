#pragma once

#include "driver/CommandExchange.h"

#include <string>

// The JSON that --json prints; its shape is described in tavorin-cli(1).

// One timer record: its number, what it means and its bytes.
std::string timerRecordJson(int number, const uint8_t (&record)[CP290TimerRecordSize]);
// Prints one JSON document and its newline.
void printJson(const std::string &document);
