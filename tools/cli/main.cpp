// tavorin-cli: every CP290 operation from the command line, for scripts and cron.

#include "CliCommands.h"

#include <string>
#include <vector>

int main(int argc, char **argv)
{
    return runCli(std::vector<std::string>(argv + 1, argv + argc));
}
