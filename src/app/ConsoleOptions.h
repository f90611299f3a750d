#pragma once
// The program's only console output: `pictavo --help` and `pictavo --version`. Every other
// first argument (a folder, an archive, even a file named like an option) goes to the launcher.
#include <optional>

namespace pictavo {

// When the first argument is --help or --version, prints the usage or the version on standard
// output and returns the exit status (0); otherwise prints nothing and returns no value.
std::optional<int> RunConsoleOption(int argc, char** argv);

}  // namespace pictavo
