target_sources(orbeline_core PRIVATE composition.cpp draw_pipeline.cpp)
