orbeline_add_gtest(app_main_form_test main_form_test.cpp)
target_link_libraries(app_main_form_test PRIVATE orbeline_desktop_test_support
                                                 orbeline_render_test_support)
