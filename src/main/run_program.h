#pragma once

namespace orbeline {

// The whole program: long options, the single-instance guard, the command-line grammar and
// the run that follows. Returns the process exit code.
int RunProgram(int argc, char** argv);

}  // namespace orbeline
