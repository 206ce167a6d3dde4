# Desktop backends. Each program gets its own process: GLib picks its settings backend once.
orbeline_add_gtest(platform_generic_desktop_test generic_desktop_test.cpp)
target_link_libraries(platform_generic_desktop_test PRIVATE orbeline_platform)

orbeline_add_gtest(platform_gnome_desktop_test gnome_desktop_test.cpp)
target_link_libraries(platform_gnome_desktop_test PRIVATE orbeline_platform PkgConfig::GIO)
set_property(TEST platform_gnome_desktop_test APPEND PROPERTY ENVIRONMENT
             "GSETTINGS_BACKEND=keyfile")

# The root window on a virtual X server, at a true-colour depth of 24 and of 16 bits.
add_executable(platform_x11_root_test x11_root_test.cpp)
target_link_libraries(platform_x11_root_test PRIVATE orbeline_test_main orbeline_platform X11::X11)
find_program(ORBELINE_XVFB_RUN xvfb-run)
if(ORBELINE_XVFB_RUN)
  foreach(depth 24 16)
    add_test(NAME platform_x11_root_test_${depth}
             COMMAND ${ORBELINE_XVFB_RUN} -a -s "-screen 0 320x240x${depth}"
                     $<TARGET_FILE:platform_x11_root_test>)
    set_tests_properties(platform_x11_root_test_${depth} PROPERTIES
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORBELINE_XVFB_TEST=1")
  endforeach()
else()
  message(WARNING "xvfb-run not found: the root-window tests are not registered")
endif()
