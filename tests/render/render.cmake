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


# Every layout with every line-draw type on one PNG, for looking at by eye.
add_executable(orbeline_contact_sheet contact_sheet.cpp)
target_link_libraries(orbeline_contact_sheet PRIVATE orbeline_platform)
target_compile_definitions(orbeline_contact_sheet PRIVATE
  ORBELINE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# The Qt canvas with real fonts, and the contact sheet it draws.
orbeline_add_gtest(render_image_test qt_canvas_image_test.cpp contact_sheet_test.cpp)
target_link_libraries(render_image_test PRIVATE orbeline_render_test_support orbeline_platform)
add_dependencies(render_image_test orbeline_contact_sheet)
target_compile_definitions(render_image_test PRIVATE
  ORBELINE_CONTACT_SHEET="$<TARGET_FILE:orbeline_contact_sheet>")
