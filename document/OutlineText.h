#pragma once

#include "model/Records.h"

#include <string>
#include <vector>

// The document as its outline shows it fully expanded: a line per module with its four cells
// separated by tabs, and under it a line per event, a tab and its description.
std::string documentOutlineText(const std::vector<Module> &modules);
