#pragma once

#include <string>
#include <vector>

// The command line over the driver. A command is checked completely before anything is sent.
// Exit status: 0 done, 1 the CP290, the device or a file failed, 2 usage error (nothing sent).
int runCli(const std::vector<std::string> &arguments);
