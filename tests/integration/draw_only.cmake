add_test(NAME integration_draw_only
         COMMAND xvfb-run -a -s "-screen 0 1024x768x24 -noreset"
                 bash ${CMAKE_CURRENT_SOURCE_DIR}/draw_only_test.sh)
set_tests_properties(integration_draw_only PROPERTIES
  ENVIRONMENT "ORBELINE=$<TARGET_FILE:orbeline>"
  TIMEOUT 600)
