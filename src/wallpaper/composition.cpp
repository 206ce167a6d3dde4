#include "wallpaper/composition.h"

#include <sys/stat.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/error.h"
#include "base/text_util.h"
#include "image/area_average.h"
#include "image/image_decoder.h"
#include "image/jpeg_decoder.h"
#include "settings/ask_confirmation.h"
#include "settings/setting_names.h"
#include "wallpaper/picture_layout.h"

namespace orbeline {
namespace {

constexpr const char* kUnsupportedText =
    "Currently this program doesn't support the wallpaper in GIF/HTML format";

int Half(int value) { return value / 2; }

// A picture placed further off the screen than any picture is wide shows nothing either way:
// holding origins within that range keeps the placement arithmetic from overflowing.
int ClampOrigin(int origin) {
  constexpr int kLimit = 2 * kMaxImageSide;
  return std::clamp(origin, -kLimit, kLimit);
}

// The work bitmap takes the picture's depth: 8 bits with its palette, else 24 bits.
void ResetLikeDib(WorkBitmap& work, const TNkDIB& dib, int width, int height) {
  if (dib.GetBitCount() <= 8) {
    work.Reset(width, height, WorkBitmapFormat::k8Bit, dib.Palette());
  } else {
    work.Reset(width, height, WorkBitmapFormat::k24Bit);
  }
}

// The part of the screen a picture placed at `target` shows, in the picture's coordinates.
Rect PartShown(const WorkBitmap& work, const Rect& target) {
  const Rect visible = Intersect(target, work.ClipRect());
  return {visible.left - target.left, visible.top - target.top, visible.right - target.left,
          visible.bottom - target.top};
}

// A src_width x src_height picture averaged into `target` (see AreaAverageScaler), straight
// onto the work bitmap: only what the screen shows is made. `start` is told which source
// pixels that takes; `next_row` then gives them row by row, top-down, from the area's left.
template <typename Start, typename NextRow>
void AverageOnto(WorkBitmap& work, const Rect& target, int src_width, int src_height, Start start,
                 NextRow next_row) {
  const Rect part = PartShown(work, target);
  if (part.IsEmpty()) return;
  AreaAverageScaler scaler(src_width, src_height, target.Width(), target.Height(), part);
  const Rect& area = scaler.SourceArea();
  start(area);
  for (int y = area.top; y < area.bottom; ++y) {
    scaler.PushRow(next_row());
    while (scaler.RowReady()) {
      const std::size_t row = static_cast<std::size_t>(target.top + scaler.NextRow());
      scaler.TakeRow(work.Pixels() + row * work.Width() + (target.left + part.left));
    }
  }
}

// The picture scaled into `target` keeping its shape (fit or cover). A true-colour picture
// that shrinks is averaged over the area under each pixel, as the desktop smooths a photo;
// one that grows, and a palette picture (an 8-bit screen, with the halftone its drawing
// option asks for), take the nearest pixel, clipped to the screen as they are drawn.
void DrawScaled(WorkBitmap& work, const TNkDIB& dib, const Rect& target) {
  const bool shrinks = target.Width() < dib.Width() || target.Height() < dib.Height();
  if (!shrinks || dib.GetBitCount() <= 8) {
    work.StretchDrawDib(dib, target);
    return;
  }
  const DibImage& image = dib.Image();
  std::vector<std::uint32_t> row(static_cast<std::size_t>(image.Width()));
  int left = 0;
  int y = 0;
  AverageOnto(
      work, target, image.Width(), image.Height(),
      [&](const Rect& area) {
        left = area.left;
        y = area.top;
      },
      [&] {
        image.RowToRgb32(image.Height() - 1 - y++, row.data());
        return row.data() + left;
      });
}

// A JPEG on a true-colour screen goes from its decoder onto the work bitmap row by row:
// shown at the size it decodes to, it is decoded into the work bitmap itself; shrunk
// keeping its shape, through the smoothing filter; only the rows and columns the screen
// shows are decoded. Other placements (a picture stretched to another size, one that
// grows) take the nearest pixel of the whole decoded picture.
void DrawJpeg(WorkBitmap& work, JpegDecoder& decoder, const Rect& target, bool scaled) {
  const int width = decoder.Width();
  const int height = decoder.Height();
  if (scaled && (target.Width() < width || target.Height() < height)) {
    std::vector<std::uint32_t> row;
    AverageOnto(
        work, target, width, height,
        [&](const Rect& area) {
          decoder.Start(area, JpegRowFormat::kRgb32);
          row.resize(static_cast<std::size_t>(area.Width()));
        },
        [&] {
          decoder.ReadRow(row.data());
          return row.data();
        });
  } else if (target.Width() == width && target.Height() == height) {
    const Rect part = PartShown(work, target);
    if (part.IsEmpty()) return;
    decoder.Start(part, JpegRowFormat::kRgb32);
    for (int y = part.top; y < part.bottom; ++y) {
      const std::size_t row = static_cast<std::size_t>(target.top + y);
      decoder.ReadRow(work.Pixels() + row * work.Width() + (target.left + part.left));
    }
  } else {
    TNkDIB dib = DecodeJpeg(decoder);
    dib.SetConvertMode(NkConvertMode::kHigh);
    work.StretchDrawDib(dib, target);
  }
}

bool IsJpeg(std::string_view extension) { return extension == ".jpg" || extension == ".jpeg"; }

// The kinds of picture that are decoded; any other gets the blank 16 x 16 picture.
bool IsDecodedKind(std::string_view extension) {
  return IsJpeg(extension) || extension == ".bmp" || extension == ".png" || extension == ".webp";
}

// Pictures the program cannot draw on and asks about each time.
bool IsAskedAboutKind(std::string_view extension) {
  return extension == ".htm" || extension == ".html" || extension == ".gif";
}

}  // namespace

bool LoadSourceWallpaper(TNkDIB& dib, WallpaperServices& services, const WallpaperRun& run,
                         const DecodeSizeHint& hint) {
  dib.SetConvertMode(NkConvertMode::kHigh);
  const std::string& path = run.wallpaper.source_wallpaper_path;
  const std::string extension = LowerExtension(path);
  bool blank = false;
  if (IsAskedAboutKind(extension)) {
    AskConfirmation(services.store, services.prompts, run.draw_only_run,
                    {Prompts::ConfirmationMode::kInformation, std::string(setting::kHTMLGIFCheck),
                     false, kUnsupportedText, "Orbeline - Error"});
    if (run.draw_only_pending) {
      services.prompts.ShowMessage({"Orbeline - Error", kUnsupportedText,
                                    Prompts::Icon::kExclamation, Prompts::Buttons::kOk,
                                    Prompts::Answer::kOk});
      return true;
    }
    blank = true;
  } else if (IsDecodedKind(extension)) {
    dib = DecodeImageFile(path, hint);
    dib.SetConvertMode(NkConvertMode::kHigh);
    // A bitmap of fewer than 8 bits per pixel reaches the work bitmap as plain 8-bit.
    if (extension == ".bmp" && dib.GetBitCount() < 8) dib.SetPixelFormat(NkPixelFormat::k8Bit);
  } else {
    blank = true;
  }
  if (blank) {
    dib = TNkDIB();
    dib.SetConvertMode(NkConvertMode::kHigh);
    dib.SetConvertColor(0);
    dib.SetWidth(16);
    dib.SetHeight(16);
  }
  if (services.desktop.BitsPerPixel() <= 8) {
    dib.SetDrawOption(NkDrawOption::kColorHalftone);
    if (dib.GetBitCount() > 8) dib.SetPixelFormat(NkPixelFormat::k8Bit);
  } else {
    dib.SetPixelFormat(NkPixelFormat::k24Bit);
  }
  return false;
}

void FillDesktopPattern(WorkBitmap& work, int width, int height, const Desktop& desktop) {
  std::string pattern = desktop.ReadValue(kPatternValue, "");
  if (pattern.empty() || pattern.front() == '(') pattern = "0 0 0 0 0 0 0 0";
  pattern += ' ';
  const ColorRef color = DesktopPatternColor(desktop);
  for (int row = 0; row < 8; ++row) {
    std::size_t space = pattern.find(' ');
    std::string piece = space == std::string::npos ? pattern : pattern.substr(0, space);
    pattern = space == std::string::npos ? "" : pattern.substr(space + 1);
    std::int64_t bits = ParseIntegerText(piece).value_or(0);
    // Bit 7 of a row's number is column 0, bit 0 column 7.
    for (int column = 7; column >= 0; --column) {
      work.SetPixel(column, row, (bits & 1) == 0 ? color : 0);
      bits = (bits & 0xFF) >> 1;
    }
  }
  for (int x = 8; x <= width; x += 8) work.CopyRect({0, 0, 8, 8}, {x, 0, x + 8, 8});
  for (int y = 8; y <= height; y += 8) work.CopyRect({0, 0, width, 8}, {0, y, width, y + 8});
}

bool WriteWorkBitmap(const WorkBitmap& work, const std::string& path, Prompts& prompts) {
  std::string reason = "Make more free space on your disk and retry.";
  try {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    work.SaveBmp(path);
    return true;
  } catch (const std::bad_alloc&) {
    reason = kOutOfMemoryText;
  } catch (const std::exception&) {
  }
  prompts.ShowMessage({"Orbeline - Error", "Cannot generate a bitmapped file.\n" + reason,
                       Prompts::Icon::kStop, Prompts::Buttons::kOk, Prompts::Answer::kOk});
  return false;
}

namespace {

// What the base image would be made from now; nullopt for a picture of a kind the program
// asks about each time (HTML, GIF).
std::optional<BaseImageSource> CurrentSource(const WallpaperServices& services,
                                             const WallpaperRun& run,
                                             const WorkingSettings& settings) {
  const std::string extension = LowerExtension(run.wallpaper.source_wallpaper_path);
  if (IsAskedAboutKind(extension)) return std::nullopt;
  BaseImageSource source;
  const WallpaperState& wallpaper = run.wallpaper;
  source.path = wallpaper.source_wallpaper_path;
  source.no_source_wallpaper = wallpaper.no_source_wallpaper;
  source.tile_source = wallpaper.tile_source;
  source.stretch_source = wallpaper.stretch_source;
  source.picture_fit = wallpaper.picture_fit;
  source.origin_x = wallpaper.origin_x;
  source.origin_y = wallpaper.origin_y;
  source.screen = run.screen;
  struct stat info {};
  if (::stat(run.wallpaper.source_wallpaper_path.c_str(), &info) == 0) {
    source.file_device = info.st_dev;
    source.file_inode = info.st_ino;
    source.file_size = info.st_size;
    source.file_modified_ns =
        std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
    source.file_changed_ns =
        std::int64_t{info.st_ctim.tv_sec} * 1'000'000'000 + info.st_ctim.tv_nsec;
  }
  source.tile_pattern = settings.tile_pattern;
  source.taskbar_adjust = settings.taskbar_adjust;
  const Desktop& desktop = services.desktop;
  source.bits_per_pixel = desktop.BitsPerPixel();
  source.pattern = desktop.ReadValue(kPatternValue, "");
  source.pattern_color = DesktopPatternColor(desktop);
  source.work_area = GetWorkArea(desktop);
  return source;
}

// Composes the base image into the run's work bitmap; true when the picture is of a kind a
// draw-only run cannot draw on (the user has been told).
bool ComposeInto(WallpaperServices& services, WallpaperRun& run, const WorkingSettings& settings) {
  WorkBitmap& work = run.work;
  const int width = run.screen.right;
  const int height = run.screen.bottom;
  const WallpaperState& wallpaper = run.wallpaper;
  if (wallpaper.tile_source) {
    TNkDIB dib;
    if (LoadSourceWallpaper(dib, services, run)) return true;
    ResetLikeDib(work, dib, width, height);
    const int w = dib.Width();
    const int h = dib.Height();
    if (settings.tile_pattern == TilePattern::kStaggeredVertically) {
      int row = 1;
      for (int y = 0; y < height; y += h, ++row) {
        for (int x = row % 2 == 0 ? -Half(w) : 0; x < width; x += w) work.DrawDib(dib, x, y);
      }
    } else {
      int column = 1;
      for (int x = 0; x < width; x += w, ++column) {
        const bool stagger =
            settings.tile_pattern == TilePattern::kStaggeredHorizontally && column % 2 == 0;
        for (int y = stagger ? -Half(h) : 0; y < height; y += h) work.DrawDib(dib, x, y);
      }
    }
  } else if (wallpaper.no_source_wallpaper) {
    work.Reset(
        width, height,
        services.desktop.BitsPerPixel() > 8 ? WorkBitmapFormat::k24Bit : WorkBitmapFormat::k8Bit);
    FillDesktopPattern(work, width, height, services.desktop);
  } else {
    // The blank picture that stands for one that cannot be drawn is never blown up to cover
    // the screen by the desktop's fit styles: it stays a small square on the desktop colour.
    const std::string extension = LowerExtension(wallpaper.source_wallpaper_path);
    const bool blank = !IsDecodedKind(extension);
    const bool fit_style =
        wallpaper.stretch_source && wallpaper.picture_fit != PictureFit::kStretch;
    const bool scaled = fit_style && !blank;
    const Rect screen{0, 0, width, height};
    const bool true_colour = services.desktop.BitsPerPixel() > 8;
    // A photo that the smoothing filter shrinks anyway may be decoded smaller, no smaller
    // than it is shown; its place comes from its full size.
    std::optional<Rect> placed;
    const auto least_size = [&](int w, int h) {
      placed = PlacePicture(wallpaper.picture_fit, w, h, screen);
      return PixelSize{std::min(w, placed->Width()), std::min(h, placed->Height())};
    };
    std::optional<JpegDecoder> jpeg;
    TNkDIB dib;
    if (true_colour && IsJpeg(extension)) {
      // Only the header is read here: the pixels go straight to the work bitmap below.
      jpeg.emplace(wallpaper.source_wallpaper_path);
      if (scaled) jpeg->ScaleToAtLeast(least_size(jpeg->FullWidth(), jpeg->FullHeight()));
      work.Reset(width, height, WorkBitmapFormat::k24Bit);
    } else {
      DecodeSizeHint hint;
      if (scaled && true_colour) hint = least_size;
      if (LoadSourceWallpaper(dib, services, run, hint)) return true;
      ResetLikeDib(work, dib, width, height);
    }
    const int w = jpeg ? jpeg->Width() : dib.Width();
    const int h = jpeg ? jpeg->Height() : dib.Height();
    const int origin_x = ClampOrigin(wallpaper.origin_x);
    const int origin_y = ClampOrigin(wallpaper.origin_y);
    Rect target;
    if (scaled) {
      target = placed ? *placed : PlacePicture(wallpaper.picture_fit, w, h, screen);
    } else if (wallpaper.stretch_source && !fit_style) {
      target = {0, 0, width, height};
      if (origin_x != 0 || origin_y != 0) {
        target = {origin_x, origin_y, origin_x + width, origin_y + height};
      } else if (settings.taskbar_adjust) {
        target = GetWorkArea(services.desktop);
      }
    } else {
      const int x = origin_x != 0 ? origin_x : Half(width - w);
      const int y = origin_y != 0 ? origin_y : Half(height - h);
      target = {x, y, x + w, y + h};
    }
    // The pattern shows where the picture does not cover the screen (the picture paints
    // every pixel of its rectangle).
    if (target.left > 0 || target.top > 0 || target.right < width || target.bottom < height) {
      FillDesktopPattern(work, width, height, services.desktop);
    }
    if (jpeg) {
      DrawJpeg(work, *jpeg, target, scaled);
    } else if (scaled) {
      DrawScaled(work, dib, target);
    } else {
      work.StretchDrawDib(dib, target);
    }
  }
  return false;
}

}  // namespace

ComposeResult ComposeBaseImage(WallpaperServices& services, WallpaperRun& run,
                               const WorkingSettings& settings, ComposeOutput output) {
  run.base_composed = true;
  std::optional<BaseImageSource> source;
  if (run.keep_base_copy) source = CurrentSource(services, run, settings);
  if (source && source == run.base_copy_source) {
    run.work = run.base_copy;
  } else {
    run.base_copy_source.reset();
    run.base_copy = WorkBitmap();
    try {
      if (ComposeInto(services, run, settings)) return ComposeResult::kSourceUnsupported;
    } catch (...) {
      // A picture that fails part way through its pixels has left a half-drawn base image:
      // no later drawing, and not the marker, may show it.
      run.work = WorkBitmap();
      throw;
    }
    if (source) {
      run.base_copy = run.work;
      run.base_copy_source = std::move(source);
    }
  }
  if (output == ComposeOutput::kWriteFile &&
      !WriteWorkBitmap(run.work, run.wallpaper.work_bitmap_path, services.prompts)) {
    return ComposeResult::kWriteFailed;
  }
  return ComposeResult::kWritten;
}

}  // namespace orbeline
