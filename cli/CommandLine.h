#pragma once

namespace pemrix {

// pemrix-cli: parses the arguments, runs the one subcommand they name and returns the exit
// code (CliExitCode).
int RunCommandLine(int argc, char** argv);

} // namespace pemrix
