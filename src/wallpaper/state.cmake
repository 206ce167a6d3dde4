# Wallpaper state: what the desktop showed at start, the close's restore and Revert.
target_sources(orbeline_core PRIVATE
  wallpaper_state.cpp
)
