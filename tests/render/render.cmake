# Test support for anything drawn by the renderer: a canvas that records every call.
add_library(orbeline_render_test_support STATIC recording_canvas.cpp render_fixture.cpp)
target_include_directories(orbeline_render_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(orbeline_render_test_support PUBLIC orbeline_core)

orbeline_add_gtest(render_test
  calendar_layout_test.cpp
  day_marks_test.cpp
  labels_test.cpp
)
target_link_libraries(render_test PRIVATE orbeline_render_test_support)
