add_test(NAME integration_gnome COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/gnome_test.sh)
set_tests_properties(integration_gnome PROPERTIES
  ENVIRONMENT "ORBELINE=$<TARGET_FILE:orbeline>;QT_QPA_PLATFORM=offscreen"
  TIMEOUT 300)
