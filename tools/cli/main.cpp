// tavorin-cli: every CP290 operation from the command line, for scripts and cron.

#include "CliCommands.h"
#include "CliSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const int status = runCli(std::vector<std::string>(argv + 1, argv + argc));
    // Output that did not arrive (a full disk, a closed standard output) is a failure.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tavorin-cli: the output could not be written: %s\n", std::strerror(errno));
        return status == Done ? CommandFailed : status;
    }
    return status;
}
