orbeline_add_gtest(calendar_definition_test
  definition_ini_test.cpp
  definition_locale_test.cpp
  definition_file_test.cpp
  definition_data_test.cpp
)
# The shipped definition files are checked where they are kept.
target_compile_definitions(calendar_definition_test PRIVATE
  ORBELINE_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
