#pragma once

#include "CliSupport.h"

// "devices": the serial ports the CP290 menu would offer, one a line, or as JSON.
int listSerialDevices(bool json);
