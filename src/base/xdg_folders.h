#pragma once

#include <filesystem>

namespace orbeline {

// The user's folders by the XDG base directory rules: the variable when it holds an
// absolute path (a relative one is ignored, as the rules say), else the default under the
// home folder. Every part of the program that stores something asks here, so the settings,
// the desktop emulation, the cache and the autostart entry always land in the same tree.
std::filesystem::path HomeFolder();        // $HOME, else "/"
std::filesystem::path ConfigHomeFolder();  // $XDG_CONFIG_HOME, else ~/.config
std::filesystem::path CacheHomeFolder();   // $XDG_CACHE_HOME, else ~/.cache
std::filesystem::path RuntimeFolder();     // $XDG_RUNTIME_DIR; empty when it is unset

}  // namespace orbeline
