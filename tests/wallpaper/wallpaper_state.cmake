# A desktop held in memory for every test of the wallpaper code.
add_library(orbeline_desktop_test_support STATIC fake_desktop.cpp)
target_include_directories(orbeline_desktop_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orbeline_desktop_test_support PUBLIC orbeline_core)

orbeline_add_gtest(wallpaper_state_test wallpaper_state_test.cpp)
target_link_libraries(wallpaper_state_test PRIVATE orbeline_desktop_test_support)
