orbeline_add_gtest(app_settings_test
  settings_store_test.cpp
  color_font_test.cpp
  prepare_settings_test.cpp
  working_settings_test.cpp
)
orbeline_add_gtest(app_command_line_test command_line_test.cpp)
