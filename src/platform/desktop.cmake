# Desktop backends: the emulated generic desktop (with the X root window) and GNOME.
target_sources(orbeline_platform PRIVATE
  desktop_factory.cpp
  generic_desktop.cpp
  gnome_desktop.cpp
  x11_root.cpp
)
target_link_libraries(orbeline_platform PUBLIC X11::X11 PkgConfig::GIO)
