#pragma once

#include <QSettings>
#include <filesystem>
#include <memory>

#include "settings/settings_backend.h"

namespace orbeline {

// The settings key as an INI file read and written by QSettings (IniFormat). Main-key
// values live in [General], subkeys as groups. QSettings writes the file atomically under a
// lock; Flush also makes the write durable (see SyncSettingsFile).
class QtSettingsBackend : public SettingsBackend {
 public:
  // Throws orbeline::Error naming the file when it exists but is not a regular file or
  // cannot be read: nothing is read or written then.
  explicit QtSettingsBackend(const std::filesystem::path& file);

  Value Read(std::string_view group, std::string_view name) const override;
  void Write(std::string_view group, std::string_view name, std::string_view text) override;
  void Remove(std::string_view group, std::string_view name) override;
  std::vector<std::string> Names(std::string_view group) const override;
  // Writes the pending changes durably; throws orbeline::Error naming the file when it
  // cannot be written.
  void Flush() override;

  QString FileName() const { return settings_->fileName(); }

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace orbeline
