#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "settings/settings_backend.h"

namespace orbeline {

// The settings key as an INI file read and written by QSettings (IniFormat). Main-key
// values live in [General], subkeys as groups. QSettings writes the file atomically under a
// lock; Flush also makes the write durable (see SyncSettingsFile).
//
// Writes are collected and handed to QSettings as their net change: at the next turn of the
// event loop (when QSettings would write its own) and at Flush. A value set and set back
// before then, as a draw-only start does with `AutoDraw`, leaves the file alone.
class QtSettingsBackend : public SettingsBackend {
 public:
  // Throws orbeline::Error naming the file when it exists but is not a regular file or
  // cannot be read: nothing is read or written then.
  explicit QtSettingsBackend(const std::filesystem::path& file);
  // What is still collected goes to QSettings, which writes it as it closes.
  ~QtSettingsBackend() override;
  QtSettingsBackend(const QtSettingsBackend&) = delete;
  QtSettingsBackend& operator=(const QtSettingsBackend&) = delete;

  Value Read(std::string_view group, std::string_view name) const override;
  void Write(std::string_view group, std::string_view name, std::string_view text) override;
  void Remove(std::string_view group, std::string_view name) override;
  std::vector<std::string> Names(std::string_view group) const override;
  // Writes the pending changes durably; throws orbeline::Error naming the file when it
  // cannot be written.
  void Flush() override;

  QString FileName() const { return settings_->fileName(); }

 private:
  // Sets `key` to `value` (nullopt: removed) unless QSettings holds that already.
  void Collect(const QString& key, std::optional<QString> value);
  // Hands the collected changes to QSettings; false when there were none.
  bool HandOver();

  std::unique_ptr<QSettings> settings_;
  // The changes QSettings has not been handed yet, by key; nullopt removes the value.
  std::map<QString, std::optional<QString>> collected_;
  bool hand_over_queued_ = false;
  // QSettings holds changes that no Flush has made durable yet.
  bool unflushed_ = false;
  // The queued hand-over runs only while this lives.
  QObject queue_context_;
};

}  // namespace orbeline
