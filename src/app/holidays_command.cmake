# `orbeline --holidays YEAR`.
target_sources(orbeline_core PRIVATE holidays_command.cpp)
