# The renderer's canvas on Qt.
target_sources(orbeline_platform PRIVATE qt_canvas.cpp)
