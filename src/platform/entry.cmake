target_sources(orbeline_platform PRIVATE
  headless_prompts.cpp
  instance_lock.cpp
  qt_prompts.cpp
  qt_settings_backend.cpp
  qt_shell.cpp
  run_program.cpp
)
