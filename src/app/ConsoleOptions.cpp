#include "app/ConsoleOptions.h"

#include <cstdio>
#include <cstring>

#ifndef PICTAVO_VERSION
#define PICTAVO_VERSION "unknown"
#endif

namespace pictavo {

namespace {

constexpr const char kUsage[] =
    "Usage: pictavo [FOLDER | ARCHIVE | PICTURE]\n"
    "A picture slideshow viewer.\n"
    "\n"
    "  FOLDER     show the pictures of FOLDER and its sub-folders\n"
    "  ARCHIVE    show the pictures inside ARCHIVE\n"
    "  PICTURE    show the pictures of PICTURE's folder, starting with PICTURE\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "With no argument the launcher window opens. Settings are kept in pictavo.ini beside the\n"
    "program, or in $XDG_CONFIG_HOME/pictavo/pictavo.ini for an installed copy.\n";

}  // namespace

std::optional<int> RunConsoleOption(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
    } else if (std::strcmp(argv[1], "--version") == 0) {
        std::fputs("pictavo " PICTAVO_VERSION "\n", stdout);
    } else {
        return std::nullopt;
    }
    // A closed or full standard output is a failure the caller should see in the status.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

}  // namespace pictavo
