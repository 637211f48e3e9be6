#pragma once

#include "CliSupport.h"

// The commands over a document and the sun: send (needs the device), plan and sun (do not).
bool documentCommandNeedsDevice(const std::string &command);
int prepareDocumentCommand(const CommandLine &line, Action *action);
