#include "platform/run_program.h"

#include <cstdio>
#include <cstring>

#include "app/version.h"

namespace orbeline {

int RunProgram(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("Orbeline %s\n", kVersionText);
    return 0;
  }
  return 0;
}

}  // namespace orbeline
