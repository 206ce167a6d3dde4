#pragma once

#include <filesystem>

#include "app/main_form.h"

namespace orbeline {

// The whole program: long options, the single-instance guard, the command-line grammar and
// the run that follows. Returns the process exit code.
int RunProgram(int argc, char** argv);

// The settings file in the user's configuration folder.
std::filesystem::path SettingsFile();

// The main form's ports as the program wires them: the desktop the session has (holding the
// instance lock or not) and a Qt canvas on the work bitmap.
MainFormPorts MakePorts(SettingsStore& store, Prompts& prompts, Shell& shell, Clock& clock,
                        bool instance_lock_held);

}  // namespace orbeline
