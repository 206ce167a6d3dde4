#include "platform/gnome_desktop.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <QSettings>
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <system_error>
#include <vector>

#include "base/durable_file.h"
#include "base/error.h"
#include "platform/settings_file.h"
#include "settings/settings_store.h"
#include "wallpaper/wallpaper_state.h"

namespace orbeline {
namespace {

constexpr char kBackgroundSchema[] = "org.gnome.desktop.background";
constexpr char kInterfaceSchema[] = "org.gnome.desktop.interface";
constexpr char kPictureUri[] = "picture-uri";
constexpr char kPictureUriDark[] = "picture-uri-dark";
constexpr char kPictureOptions[] = "picture-options";
constexpr char kPrimaryColor[] = "primary-color";
constexpr char kColorScheme[] = "color-scheme";
constexpr char kCopyPrefix[] = "gnome-";
constexpr std::string_view kStateWhat = "desktop state file";
// Copy folders are numbered from 1; a folder with a larger number is not one of ours, so a
// planted "gnome-2147483647" cannot make the counter overflow.
constexpr int kMaxCopyNumber = 999999;

// Options under which GNOME shows a screen-sized picture pixel for pixel.
constexpr std::array<std::string_view, 5> kPixelExactOptions = {"centered", "scaled", "stretched",
                                                                "zoom", "wallpaper"};

// The schema when it is installed; the caller unrefs it.
GSettingsSchema* LookupSchema(const char* id) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  return source == nullptr ? nullptr : g_settings_schema_source_lookup(source, id, TRUE);
}

std::string GetString(GSettings* settings, const char* key) {
  gchar* value = g_settings_get_string(settings, key);
  std::string text = value == nullptr ? "" : value;
  g_free(value);
  return text;
}

void SetString(GSettings* settings, const char* key, const std::string& value) {
  if (!g_settings_set_string(settings, key, value.c_str())) {
    throw Error(std::string("Cannot change ") + kBackgroundSchema + " " + key + " to '" + value +
                "'");
  }
}

// The local file a picture URI names; empty for no URI or one that is not a local file.
std::string PathOfUri(const std::string& uri) {
  if (uri.empty()) return "";
  if (uri.front() == '/') return uri;
  gchar* path = g_filename_from_uri(uri.c_str(), nullptr, nullptr);
  std::string result = path == nullptr ? "" : path;
  g_free(path);
  return result;
}

std::string UriOfPath(const std::string& path) {
  if (path.empty()) return "";
  const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
  GError* error = nullptr;
  gchar* uri = g_filename_to_uri(absolute.c_str(), nullptr, &error);
  if (uri == nullptr) {
    std::string message = error != nullptr ? error->message : "invalid file name";
    g_clear_error(&error);
    throw Error("Cannot make a file URI of '" + path + "': " + message);
  }
  std::string result = uri;
  g_free(uri);
  return result;
}

// "#rgb", "#rrggbb" or "#rrrrggggbbbb" (older GNOME releases wrote 16 bits a channel).
std::optional<ColorRef> ParseHexColor(const std::string& text) {
  if (text.size() < 4 || text.front() != '#') return std::nullopt;
  const std::string digits = text.substr(1);
  if (digits.size() % 3 != 0 || digits.size() > 12 ||
      !std::all_of(digits.begin(), digits.end(),
                   [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  const std::size_t width = digits.size() / 3;
  std::array<int, 3> channels{};
  for (std::size_t i = 0; i < 3; ++i) {
    const unsigned long value = std::stoul(digits.substr(i * width, width), nullptr, 16);
    // Scale to 8 bits: the top byte, or a single digit repeated.
    channels[i] =
        width == 1 ? static_cast<int>(value * 17) : static_cast<int>(value >> (4 * (width - 2)));
  }
  return MakeColorRef(channels[0], channels[1], channels[2]);
}

// The folder number of "gnome-<n>", or nullopt for any other name.
std::optional<int> CopyNumber(const std::filesystem::path& folder) {
  const std::string name = folder.filename().string();
  if (name.rfind(kCopyPrefix, 0) != 0) return std::nullopt;
  const std::string digits = name.substr(sizeof(kCopyPrefix) - 1);
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const std::optional<int> number = ParseDecimal(digits);
  if (!number || *number < 1 || *number > kMaxCopyNumber) return std::nullopt;
  return number;
}

// Gives the work bitmap a second name for GNOME to show: a hard link when the folder allows
// one (no copying, and the file is already on disk), else a copy flushed to disk. The new
// name is flushed with its folder before GNOME is pointed at it.
void LinkOrCopyDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::create_hard_link(from, to, error);
  if (error) {
    std::ifstream in(from, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (!in.good() && !in.eof()) {
      throw Error("Cannot read the work bitmap '" + from.string() + "'");
    }
    const std::array<std::span<const std::uint8_t>, 1> parts = {std::span(bytes)};
    WriteFileAtomically(to, parts);
  }
  SyncFolder(to.parent_path());
  SyncFolder(to.parent_path().parent_path());
}

std::filesystem::path NormalFolder(const std::filesystem::path& folder) {
  std::filesystem::path normal = std::filesystem::absolute(folder).lexically_normal();
  return normal.has_filename() ? normal : normal.parent_path();
}

}  // namespace

// The background settings as their store holds them. The keyfile backend keeps a value it
// could not write in this process's memory, so its file is read afresh; other backends
// (dconf) drop a change their store refused once g_settings_sync() has returned.
std::unique_ptr<GSettings, GnomeDesktop::SettingsDeleter> GnomeDesktop::StoredBackground() {
  GSettingsBackend* backend = g_settings_backend_get_default();
  GSettings* settings = nullptr;
  if (g_strcmp0(G_OBJECT_TYPE_NAME(backend), "GKeyfileSettingsBackend") == 0) {
    gchar* file = nullptr;
    g_object_get(backend, "filename", &file, nullptr);
    GSettingsBackend* fresh = g_keyfile_settings_backend_new(file, "/", nullptr);
    settings = g_settings_new_with_backend(kBackgroundSchema, fresh);
    g_object_unref(fresh);
    g_free(file);
  } else {
    settings = g_settings_new(kBackgroundSchema);
  }
  g_object_unref(backend);
  return std::unique_ptr<GSettings, SettingsDeleter>(settings);
}

void GnomeDesktop::SettingsDeleter::operator()(GSettings* settings) const {
  g_object_unref(settings);
}

bool GnomeDesktop::SchemaInstalled() {
  GSettingsSchema* schema = LookupSchema(kBackgroundSchema);
  if (schema == nullptr) return false;
  g_settings_schema_unref(schema);
  return true;
}

GnomeDesktop::GnomeDesktop(GnomeDesktopOptions options) : options_(std::move(options)) {
  options_.copies_folder = NormalFolder(options_.copies_folder);
  CheckSettingsFile(options_.state_file, kStateWhat);
  GSettingsSchema* schema = LookupSchema(kBackgroundSchema);
  if (schema == nullptr) {
    throw Error(std::string("The GSettings schema ") + kBackgroundSchema + " is not installed");
  }
  has_dark_uri_ = g_settings_schema_has_key(schema, kPictureUriDark);
  g_settings_schema_unref(schema);
  background_.reset(g_settings_new(kBackgroundSchema));

  if (GSettingsSchema* interface_schema = LookupSchema(kInterfaceSchema)) {
    has_color_scheme_ = g_settings_schema_has_key(interface_schema, kColorScheme);
    g_settings_schema_unref(interface_schema);
    interface_.reset(g_settings_new(kInterfaceSchema));
  }
  // Only while GNOME shows one of our copies: a store that cannot be read names none, and
  // the copy it really shows must not go.
  if (options_.remove_stale_copies) {
    const PictureSettings current = Current();
    if (IsOurCopy(current.uri) || IsOurCopy(current.dark_uri)) RemoveCopiesExcept({});
  }
}

GnomeDesktop::~GnomeDesktop() = default;

bool GnomeDesktop::PrefersDark() const {
  return interface_ && has_color_scheme_ &&
         GetString(interface_.get(), kColorScheme) == "prefer-dark";
}

GnomeDesktop::PictureSettings GnomeDesktop::Current() const {
  PictureSettings settings;
  settings.uri = GetString(background_.get(), kPictureUri);
  if (has_dark_uri_) settings.dark_uri = GetString(background_.get(), kPictureUriDark);
  settings.options = GetString(background_.get(), kPictureOptions);
  return settings;
}

std::string GnomeDesktop::ShownPath(const PictureSettings& settings) const {
  if (settings.options == "none") return "";
  return PathOfUri(PrefersDark() && has_dark_uri_ ? settings.dark_uri : settings.uri);
}

bool GnomeDesktop::IsOurCopy(const std::string& uri) const {
  const std::string path = PathOfUri(uri);
  if (path.empty() || !IsWorkBitmapName(path)) return false;
  const std::filesystem::path folder = std::filesystem::path(path).lexically_normal().parent_path();
  return folder.parent_path() == options_.copies_folder && CopyNumber(folder).has_value();
}

std::optional<std::string> GnomeDesktop::KeptUsersWallpaper() const {
  const std::optional<PictureSettings> user = Remembered();
  if (!user) return std::nullopt;
  return ShownPath(*user);
}

std::optional<GnomeDesktop::PictureSettings> GnomeDesktop::Remembered() const {
  QSettings file(QString::fromStdString(options_.state_file.string()), QSettings::IniFormat);
  if (!file.contains("user/PictureUri")) return std::nullopt;
  return PictureSettings{file.value("user/PictureUri").toString().toStdString(),
                         file.value("user/PictureUriDark").toString().toStdString(),
                         file.value("user/PictureOptions").toString().toStdString()};
}

void GnomeDesktop::Remember(const PictureSettings& user) const {
  std::error_code ignored;
  std::filesystem::create_directories(options_.state_file.parent_path(), ignored);
  QSettings file(QString::fromStdString(options_.state_file.string()), QSettings::IniFormat);
  file.setValue("user/PictureUri", QString::fromStdString(user.uri));
  file.setValue("user/PictureUriDark", QString::fromStdString(user.dark_uri));
  file.setValue("user/PictureOptions", QString::fromStdString(user.options));
  SyncSettingsFile(file, kStateWhat);
}

void GnomeDesktop::Apply(const PictureSettings& settings) {
  // One change for GNOME to see: the URIs and the options switch together.
  std::unique_ptr<GSettings, SettingsDeleter> batch(g_settings_new(kBackgroundSchema));
  g_settings_delay(batch.get());
  SetString(batch.get(), kPictureOptions, settings.options);
  SetString(batch.get(), kPictureUri, settings.uri);
  if (has_dark_uri_) SetString(batch.get(), kPictureUriDark, settings.dark_uri);
  g_settings_apply(batch.get());
  g_settings_sync();
  // A store that cannot be written takes the change silently (the delayed apply reports
  // nothing): only reading it back tells.
  const std::unique_ptr<GSettings, SettingsDeleter> stored = StoredBackground();
  const auto differs = [&](const char* key, const std::string& value) {
    return GetString(stored.get(), key) != value;
  };
  if (differs(kPictureUri, settings.uri) || differs(kPictureOptions, settings.options) ||
      (has_dark_uri_ && differs(kPictureUriDark, settings.dark_uri))) {
    throw Error(std::string("Cannot change the wallpaper: ") + kBackgroundSchema +
                " did not take picture-uri '" + settings.uri +
                "' (its settings cannot be written)");
  }
}

std::string GnomeDesktop::ReadValue(std::string_view name, std::string_view fallback) const {
  const PictureSettings current = Current();
  if (name == kWallpaperValue) return ShownPath(current);
  if (name == kPatternValue) return "";
  if (name != kTileWallPaperValue && name != kWallpaperStyleValue) return std::string(fallback);

  // While a work bitmap is shown, the layout the user chose is the remembered one.
  std::string options = current.options;
  if (IsOurCopy(PrefersDark() && has_dark_uri_ ? current.dark_uri : current.uri)) {
    if (std::optional<PictureSettings> user = Remembered()) options = user->options;
  }
  if (name == kTileWallPaperValue) return options == "wallpaper" ? "1" : "0";
  if (options == "stretched") return "2";
  if (options == "scaled") return "6";
  if (options == "zoom") return "10";
  if (options == "spanned") return "22";
  return "0";
}

void GnomeDesktop::WriteValue(std::string_view name, std::string_view text) {
  if (name != kWallpaperValue) return;
  const std::string uri = UriOfPath(std::string(text));
  SetString(background_.get(), kPictureUri, uri);
  if (has_dark_uri_) SetString(background_.get(), kPictureUriDark, uri);
  g_settings_sync();
}

ColorRef GnomeDesktop::BackgroundColor() const {
  const std::string text = GetString(background_.get(), kPrimaryColor);
  if (std::optional<ColorRef> color = ParseHexColor(text)) return *color;
  throw Error("Invalid " + std::string(kPrimaryColor) + " '" + text + "' in " + kBackgroundSchema +
              ": expected #rrggbb");
}

void GnomeDesktop::InstallWallpaper(const std::string& path) {
  if (IsWorkBitmapName(path)) {
    InstallWorkBitmap(path);
  } else {
    InstallPicture(path);
  }
}

void GnomeDesktop::InstallWorkBitmap(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw Error("Cannot install the wallpaper '" + path + "': no such file");
  }
  const PictureSettings current = Current();
  // Remember the user's own settings, except URIs that name one of our copies (those keep
  // what was remembered when the copy went in) and empty URIs where a picture is remembered:
  // an emptied value (a store reset, another program) must not make the picture forgotten.
  PictureSettings user = Remembered().value_or(PictureSettings{});
  bool users_settings = false;
  const auto take = [&](std::string& kept, const std::string& now) {
    if (IsOurCopy(now) || (now.empty() && !kept.empty())) return;
    kept = now;
    users_settings = true;
  };
  take(user.uri, current.uri);
  if (has_dark_uri_) take(user.dark_uri, current.dark_uri);
  if (users_settings) {
    user.options = current.options;
    Remember(user);
  }

  int number = 0;
  for (const auto& entry : std::filesystem::directory_iterator(options_.copies_folder, error)) {
    number = std::max(number, CopyNumber(entry.path()).value_or(0));
  }
  const std::filesystem::path folder =
      options_.copies_folder / (kCopyPrefix + std::to_string(number + 1));
  const std::filesystem::path copy = folder / std::string(kWorkBitmapFileName);
  std::filesystem::create_directories(folder, error);
  try {
    if (error) throw Error("Cannot create the folder '" + folder.string() + "'");
    LinkOrCopyDurably(path, copy);
  } catch (const Error& e) {
    std::filesystem::remove_all(folder, error);
    throw Error("Cannot copy the work bitmap '" + path + "' to '" + copy.string() +
                "': " + e.what());
  }

  const bool exact = std::find(kPixelExactOptions.begin(), kPixelExactOptions.end(),
                               current.options) != kPixelExactOptions.end();
  const std::string uri = UriOfPath(copy.string());
  try {
    Apply(PictureSettings{uri, uri, exact ? current.options : "zoom"});
  } catch (...) {
    std::filesystem::remove_all(folder, error);
    throw;
  }
  RemoveCopiesExcept(folder);
}

void GnomeDesktop::InstallPicture(const std::string& path) {
  const std::optional<PictureSettings> user = Remembered();
  const bool is_users_own =
      user && (path == ShownPath(*user) || (!path.empty() && (path == PathOfUri(user->uri) ||
                                                              path == PathOfUri(user->dark_uri))));
  if (is_users_own) {
    Apply(*user);
  } else {
    // A picture missing for now is named all the same: GNOME shows the colour until it is
    // back, as it would for the user's own setting.
    std::string options = user ? user->options : Current().options;
    if (options == "none" && !path.empty()) options = "zoom";
    const std::string uri = UriOfPath(path);
    Apply(PictureSettings{uri, uri, options});
  }
  RemoveCopiesExcept({});
}

void GnomeDesktop::RemoveCopiesExcept(const std::filesystem::path& keep) const {
  // Never remove what GNOME shows, whatever else happened.
  const PictureSettings current = Current();
  std::vector<std::filesystem::path> shown;
  for (const std::string& uri : {current.uri, current.dark_uri}) {
    if (IsOurCopy(uri)) shown.push_back(std::filesystem::path(PathOfUri(uri)).parent_path());
  }
  std::error_code error;
  std::vector<std::filesystem::path> stale;
  for (const auto& entry : std::filesystem::directory_iterator(options_.copies_folder, error)) {
    const std::filesystem::path folder = entry.path().lexically_normal();
    if (!CopyNumber(folder) || folder == keep.lexically_normal()) continue;
    if (std::find(shown.begin(), shown.end(), folder) != shown.end()) continue;
    stale.push_back(folder);
  }
  for (const auto& folder : stale) {
    std::filesystem::remove(folder / std::string(kWorkBitmapFileName), error);
    std::filesystem::remove(folder, error);  // only when nothing else is in it
  }
}

}  // namespace orbeline
