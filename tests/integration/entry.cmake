add_test(NAME integration_entry
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/entry_test.sh)
set_tests_properties(integration_entry PROPERTIES
  ENVIRONMENT "ORBELINE=$<TARGET_FILE:orbeline>;QT_QPA_PLATFORM=offscreen"
  TIMEOUT 300)
