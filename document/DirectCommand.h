#pragma once

#include "model/Records.h"

// The function and level byte the direct On or Off command sends to a module: a light goes to the
// brightness chosen (1 to 9), anything else is plainly switched.
uint8_t directCommandByte(const Module &module, bool on, int brightness);
