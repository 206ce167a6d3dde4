target_sources(orbeline_platform PRIVATE
  run_program.cpp
)
