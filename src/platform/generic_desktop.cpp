#include "platform/generic_desktop.h"

#include <QSettings>
#include <QStringList>
#include <sstream>
#include <system_error>
#include <vector>

#include "base/error.h"
#include "image/area_average.h"
#include "image/image_decoder.h"
#include "platform/settings_file.h"
#include "settings/settings_store.h"
#include "wallpaper/picture_layout.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {
namespace {

constexpr char kGroup[] = "desktop";
constexpr std::string_view kWhat = "desktop settings file";
constexpr char kDefaultBackground[] = "58 110 165";
constexpr int kDefaultWidth = 1920;
constexpr int kDefaultHeight = 1080;
constexpr int kDefaultBitsPerPixel = 24;
constexpr int kMaxScreenSide = 32768;

QString Key(std::string_view name) {
  return QString::fromLatin1(kGroup) + '/' +
         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::unique_ptr<QSettings> OpenFile(const std::filesystem::path& file) {
  return std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}

enum class Layout { kCentred, kTiled, kStretched };

}  // namespace

GenericDesktop::GenericDesktop(std::filesystem::path config_file)
    : config_file_(std::move(config_file)), display_(QueryX11Screen()) {
  CheckSettingsFile(config_file_, kWhat);
}

std::optional<std::string> GenericDesktop::Read(std::string_view name) const {
  auto settings = OpenFile(config_file_);
  const QVariant value = settings->value(Key(name));
  if (!value.isValid()) return std::nullopt;
  // An unquoted comma in a hand-edited file makes QSettings split the text; join it back.
  if (value.typeId() == QMetaType::QStringList) {
    return value.toStringList().join(',').toStdString();
  }
  return value.toString().toStdString();
}

std::string GenericDesktop::ReadValue(std::string_view name, std::string_view fallback) const {
  // A fresh machine has no file yet and no wallpaper: the desktop shows its colour. The file
  // appears with the first value stored, so a run that only looks writes nothing. A file
  // the user wrote for the colour or the screen alone names no picture either.
  if (name == kWallpaperValue) return Read(name).value_or("");
  return Read(name).value_or(std::string(fallback));
}

void GenericDesktop::WriteValue(std::string_view name, std::string_view text) {
  std::error_code ignored;
  std::filesystem::create_directories(config_file_.parent_path(), ignored);
  auto settings = OpenFile(config_file_);
  settings->setValue(Key(name),
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  SyncSettingsFile(*settings, kWhat);
}

int GenericDesktop::ReadNumber(std::string_view name, int fallback, int min, int max) const {
  const std::optional<std::string> text = Read(name);
  if (!text) return fallback;
  const std::optional<int> value = ParseDecimal(*text);
  if (!value || *value < min || *value > max) {
    throw Error("Invalid " + std::string(name) + " value '" + *text + "' in '" +
                config_file_.string() + "': expected a whole number from " + std::to_string(min) +
                " to " + std::to_string(max));
  }
  return *value;
}

ColorRef GenericDesktop::BackgroundColor() const {
  const std::string text = Read("Background").value_or(kDefaultBackground);
  std::istringstream stream(text);
  std::vector<int> channels;
  std::string word;
  while (stream >> word) {
    const std::optional<int> value = ParseDecimal(word);
    if (!value || *value < 0 || *value > 255) break;
    channels.push_back(*value);
  }
  if (channels.size() != 3 || stream >> word) {
    throw Error("Invalid Background value '" + text + "' in '" + config_file_.string() +
                "': expected \"R G B\" with numbers from 0 to 255");
  }
  return MakeColorRef(channels[0], channels[1], channels[2]);
}

Rect GenericDesktop::ScreenRectangle() const {
  if (display_) return display_->screen;
  return Rect{0, 0, ReadNumber("ScreenWidth", kDefaultWidth, 1, kMaxScreenSide),
              ReadNumber("ScreenHeight", kDefaultHeight, 1, kMaxScreenSide)};
}

int GenericDesktop::BitsPerPixel() const {
  if (display_) return display_->depth;
  return ReadNumber("BitsPerPixel", kDefaultBitsPerPixel, 1, 32);
}

Rect GenericDesktop::WorkArea() const {
  if (display_) return display_->work_area;
  return ScreenRectangle();
}

RootImage GenericDesktop::ComposeRootImage(const std::string& path, const Rect& screen) const {
  RootImage image;
  image.width = screen.right - screen.left;
  image.height = screen.bottom - screen.top;
  const ColorRef background = BackgroundColor();
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height,
                      (RedOf(background) << 16) | (GreenOf(background) << 8) | BlueOf(background));
  if (path.empty()) return image;

  // Errors name the file and the reason.
  const TNkDIB decoded = DecodeImageFile(path);
  DibImage picture = decoded.Image();
  // The work bitmap is screen-sized and looks the same in every layout; other pictures are
  // laid out as the stored values say, scaled ones as the composition scales them.
  Layout layout = Layout::kCentred;
  Rect target{0, 0, image.width, image.height};  // where a stretched picture goes
  const std::string style = ReadValue(kWallpaperStyleValue, "0");
  if (ReadValue(kTileWallPaperValue, "0") == "1") {
    layout = Layout::kTiled;
  } else if (style != "0") {
    layout = Layout::kStretched;
    target = PlacePicture(PictureFitOf(style), picture.Width(), picture.Height(), target);
    // A photo that shrinks keeping its shape is averaged, then centred where it lands.
    if (PictureFitOf(style) != PictureFit::kStretch &&
        (target.Width() < picture.Width() || target.Height() < picture.Height())) {
      picture = ScaleAreaAverage(picture, target.Width(), target.Height());
      layout = Layout::kCentred;
    }
  }
  const int w = picture.Width();
  const int h = picture.Height();
  std::vector<std::uint32_t> source(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    picture.RowToRgb32(h - 1 - y, &source[static_cast<std::size_t>(y) * w]);
  }
  const int left = (image.width - w) / 2;
  const int top = (image.height - h) / 2;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      int sx = x;
      int sy = y;
      switch (layout) {
        case Layout::kTiled:
          sx = x % w;
          sy = y % h;
          break;
        case Layout::kStretched:
          if (x < target.left || x >= target.right || y < target.top || y >= target.bottom) {
            continue;
          }
          sx = static_cast<int>(static_cast<std::int64_t>(x - target.left) * w / target.Width());
          sy = static_cast<int>(static_cast<std::int64_t>(y - target.top) * h / target.Height());
          break;
        case Layout::kCentred:
          sx = x - left;
          sy = y - top;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
          break;
      }
      image.pixels[static_cast<std::size_t>(y) * image.width + x] =
          source[static_cast<std::size_t>(sy) * w + sx] & 0xFFFFFF;
    }
  }
  return image;
}

void GenericDesktop::InstallWallpaper(const std::string& path) {
  std::error_code error;
  const bool present = path.empty() || std::filesystem::is_regular_file(path, error);
  if (!present && IsWorkBitmapName(path)) {
    throw Error("Cannot install the wallpaper '" + path + "': no such file");
  }
  // The display as it is now, not as it was at start.
  if (std::optional<X11ScreenInfo> display = QueryX11Screen()) {
    SetX11RootImage(ComposeRootImage(present ? path : "", display->screen));
  }
  WriteValue(kWallpaperValue, path);
}

}  // namespace orbeline
