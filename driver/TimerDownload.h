#pragma once

#include "document/Records.h"
#include "platform/DateTime.h"

#include <cstdint>

// Turns the document's events into the CP290's timer records for the current day and sends them.
// Call CP290DoSendEventStart once, CP290DoSendEvent for every event, then CP290DoSendEventEnd.

extern uint16_t NumEvents;
extern uint32_t NowSecs;
extern DateTimeRec NowDateTime;
extern uint32_t TodayMidnightSecs;
extern uint32_t TomorrowMidnightSecs;
extern DateTimeRec TodayTime;
extern uint32_t TodaySecs;
extern DateTimeRec thisEventDate;
extern DateTimeRec thisEventTime;
extern uint32_t EventSecs;
extern uint32_t EventMidnightSecs;

// Forgets the records built so far and takes now, today, tomorrow, sunrise and sunset.
void CP290DoSendEventStart();
// Adds the records of one event of the module at `house` (0 to 15) and `unit` (1 to 18). False
// only when the 128 records are used up, after the "Too many events specified" alert.
bool CP290DoSendEvent(uint8_t house, uint8_t unit, const Event *event, const ClassicEventRepeat *repeat);
// Sets the CP290's clock, erases its records and stores the new ones; false when a command failed.
bool CP290DoSendEventEnd();
// The share of the bar each command of a download of `records` records takes: the whole-number
// quotient of the full scale by the records and the three set-up commands.
double downloadProgressBudget(int records);
