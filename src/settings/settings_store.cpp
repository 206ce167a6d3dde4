#include "settings/settings_store.h"

#include "base/error.h"

namespace orbeline {

std::string SettingsStore::ReadSetting(std::string_view name) {
  std::optional<std::string> text = ReadRaw(name);
  if (!text || text->empty()) {
    WriteSetting(name, "0");
    return "0";
  }
  return *text;
}

void SettingsStore::WriteSetting(std::string_view name, std::string_view text) {
  backend_.Write("", name, text);
}

std::optional<std::string> SettingsStore::ReadRaw(std::string_view name) const {
  return ReadRaw("", name);
}

std::optional<std::string> SettingsStore::ReadRaw(std::string_view group,
                                                  std::string_view name) const {
  SettingsBackend::Value value = backend_.Read(group, name);
  switch (value.kind) {
    case SettingsBackend::Kind::kAbsent:
      return std::nullopt;
    case SettingsBackend::Kind::kString:
      return std::move(value.text);
    case SettingsBackend::Kind::kOther:
      break;
  }
  throw Error("Invalid data type for '" + std::string(name) + "'");
}

std::string SettingsStore::ReadText(std::string_view name, std::string_view fallback) const {
  return ReadText("", name, fallback);
}

std::string SettingsStore::ReadText(std::string_view group, std::string_view name,
                                    std::string_view fallback) const {
  std::optional<std::string> text = ReadRaw(group, name);
  return text ? *text : std::string(fallback);
}

int SettingsStore::ReadInteger(std::string_view name, int fallback) const {
  return ReadInteger("", name, fallback);
}

int SettingsStore::ReadInteger(std::string_view group, std::string_view name, int fallback) const {
  std::optional<std::string> text = ReadRaw(group, name);
  if (!text) return fallback;
  return ParseDecimal(*text).value_or(fallback);
}

void SettingsStore::Write(std::string_view group, std::string_view name, std::string_view text) {
  backend_.Write(group, name, text);
}

void SettingsStore::Remove(std::string_view name) { backend_.Remove("", name); }

void SettingsStore::Remove(std::string_view group, std::string_view name) {
  backend_.Remove(group, name);
}

bool SettingsStore::Exists(std::string_view name) const {
  return backend_.Read("", name).kind != SettingsBackend::Kind::kAbsent;
}

}  // namespace orbeline
