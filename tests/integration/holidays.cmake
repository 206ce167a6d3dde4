add_test(NAME integration_holidays COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/holidays_test.sh)
set_tests_properties(integration_holidays PROPERTIES
  ENVIRONMENT "ORBELINE=$<TARGET_FILE:orbeline>;QT_QPA_PLATFORM=offscreen"
  TIMEOUT 300)
