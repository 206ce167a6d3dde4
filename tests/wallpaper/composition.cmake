orbeline_add_gtest(wallpaper_composition_test composition_test.cpp draw_pipeline_test.cpp)
target_link_libraries(wallpaper_composition_test PRIVATE orbeline_desktop_test_support
                                                         orbeline_render_test_support)
