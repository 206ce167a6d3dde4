#pragma once

#include <map>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "fake_desktop.h"
#include "fake_settings_dialogs.h"
#include "fakes.h"
#include "isolated_env.h"
#include "recording_canvas.h"
#include "settings/settings_store.h"

namespace orbeline::testing {

// A main form created as a run creates it, on fakes of every port: a 320 x 200 desktop
// without a picture, January 16, 2026, no definition file.
struct OpenForm {
  OpenForm() : store(backend), clock(std::chrono::year{2026} / 1 / 16) {
    environment.exe_path = "/usr/bin/orbeline";
    environment.definition_file = temp.path() / "missing.def";
    environment.system_temp = temp.path() / "cache";
    environment.startup_folder = temp.path() / "autostart";
    environment.home_folder = temp.path();
    environment.version_number = 15200;
  }

  MainForm::CreateResult Create(int auto_draw = 0) {
    if (auto_draw > 0) run_store->WriteSetting("AutoDraw", std::to_string(auto_draw));
    MainFormPorts ports{*run_store,
                        prompts,
                        shell,
                        clock,
                        [this](const std::string&) {
                          auto made = std::make_unique<FakeDesktop>();
                          made->screen = {0, 0, 320, 200};
                          made->values = desktop_values;
                          desktop = made.get();
                          return made;
                        },
                        [](WorkBitmap&) { return std::make_unique<RecordingCanvas>(); }};
    form = std::make_unique<MainForm>(ports, environment);
    return form->FormCreate();
  }

  TempDir temp;
  MemorySettingsBackend backend;
  SettingsStore store;
  // The store the form runs on: the one in memory unless a test points elsewhere.
  SettingsStore* run_store = &store;
  RecordingPrompts prompts;
  FakeShell shell;
  FakeClock clock;
  FakeSettingsDialogs dialogs;
  MainFormEnvironment environment;
  // The desktop's values at start: no picture unless a test names one.
  std::map<std::string, std::string, std::less<>> desktop_values{{"Wallpaper", ""}};
  FakeDesktop* desktop = nullptr;
  std::unique_ptr<MainForm> form;
};

}  // namespace orbeline::testing
