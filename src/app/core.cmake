configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_CURRENT_BINARY_DIR}/version.h @ONLY)
target_sources(orbeline_core PRIVATE
  clock.cpp
  color_text.cpp
  font_setting.cpp
  settings_store.cpp
  text_util.cpp
  working_settings.cpp
)
target_sources(orbeline_core PRIVATE prepare_settings.cpp)
target_sources(orbeline_core PRIVATE command_line.cpp overlay_settings_backend.cpp)
target_sources(orbeline_core PRIVATE main_form.cpp)
target_sources(orbeline_core PRIVATE ask_confirmation.cpp designs.cpp)
