#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/prompts.h"
#include "base/rect.h"
#include "image/image_decoder.h"
#include "image/nk_dib.h"
#include "image/work_bitmap.h"
#include "settings/working_settings.h"
#include "wallpaper/desktop.h"
#include "wallpaper/picture_layout.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {

// Everything a base image is made from: the picture file as it is on disk, its placement,
// the tiling and taskbar settings, and what the desktop says of its depth, pattern, colour
// and work area.
struct BaseImageSource {
  std::string path;
  bool no_source_wallpaper = false;
  bool tile_source = false;
  bool stretch_source = false;
  PictureFit picture_fit = PictureFit::kStretch;
  int origin_x = 0;
  int origin_y = 0;
  Rect screen;
  std::uint64_t file_device = 0;
  std::uint64_t file_inode = 0;
  std::int64_t file_size = -1;  // -1: no such file
  std::int64_t file_modified_ns = 0;
  std::int64_t file_changed_ns = 0;  // the inode's change time: any rewrite moves it
  TilePattern tile_pattern = TilePattern::kNormal;
  bool taskbar_adjust = false;
  int bits_per_pixel = 0;
  std::string pattern;
  ColorRef pattern_color = 0;
  Rect work_area;

  bool operator==(const BaseImageSource&) const = default;
};

// What a run that draws on the wallpaper holds: what the desktop showed at start, the
// screen, and the work bitmap the calendar is drawn on.
struct WallpaperRun {
  WallpaperState wallpaper;
  WorkBitmap work;  // empty after a composition that failed
  Rect screen;
  bool base_composed = false;      // set as soon as a composition starts, even one that fails
  bool draw_only_run = false;      // no confirmation is ever shown then
  bool draw_only_pending = false;  // an unsupported picture ends such a run
  // A run with a window keeps a copy of the last base image it composed: a Draw click on an
  // unchanged wallpaper copies it instead of decoding the picture again.
  bool keep_base_copy = false;
  WorkBitmap base_copy;
  std::optional<BaseImageSource> base_copy_source;
};

// Where a composed base image goes: the work bitmap and its file, or the work bitmap alone
// (a preview, which writes nothing, and a drawing, which writes the file once the calendar
// is on it).
enum class ComposeOutput { kWriteFile, kMemoryOnly };

enum class ComposeResult {
  kWritten,            // the base image is in the work bitmap (and its file, when asked)
  kSourceUnsupported,  // an HTML or GIF wallpaper in a draw-only run: the run ends
  kWriteFailed,        // the work bitmap file could not be written: the run ends
};

// Loads the source picture into `dib` at the depth the screen shows. True when the
// picture is a kind the program cannot draw on in a draw-only run (the user has been told;
// the run ends). A file that cannot be decoded raises an error naming it and the reason.
// The hint lets a JPEG come out smaller (see DecodeJpeg).
bool LoadSourceWallpaper(TNkDIB& dib, WallpaperServices& services, const WallpaperRun& run,
                         const DecodeSizeHint& hint = {});

// Rebuilds at screen size what the desktop shows without a calendar (the picture tiled,
// staggered, centred, stretched, fitted inside or covering the screen, or the 8x8 pattern)
// into `work`, and writes the work bitmap file. A picture that cannot be decoded raises an
// error naming it and leaves `work` empty.
ComposeResult ComposeBaseImage(WallpaperServices& services, WallpaperRun& run,
                               const WorkingSettings& settings,
                               ComposeOutput output = ComposeOutput::kWriteFile);

// The desktop's 8x8 pattern in the desktop colour, repeated over width x height.
void FillDesktopPattern(WorkBitmap& work, int width, int height, const Desktop& desktop);

// Writes the work bitmap file; on failure tells the user and returns false.
bool WriteWorkBitmap(const WorkBitmap& work, const std::string& path, Prompts& prompts);

}  // namespace orbeline
