#include "platform/qt_settings_backend.h"

#include <QCoreApplication>
#include <algorithm>

#include "base/error.h"
#include "platform/settings_file.h"

namespace orbeline {
namespace {

constexpr std::string_view kWhat = "settings file";

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Key(std::string_view group, std::string_view name) {
  if (group.empty()) return FromUtf8(name);
  return FromUtf8(group) + '/' + FromUtf8(name);
}

}  // namespace

QtSettingsBackend::QtSettingsBackend(const std::filesystem::path& file) {
  CheckSettingsFile(file, kWhat);
  settings_ =
      std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}

QtSettingsBackend::~QtSettingsBackend() { HandOver(); }

SettingsBackend::Value QtSettingsBackend::Read(std::string_view group,
                                               std::string_view name) const {
  const QString key = Key(group, name);
  if (const auto it = collected_.find(key); it != collected_.end()) {
    if (!it->second) return {};
    return {Kind::kString, it->second->toStdString()};
  }
  QVariant value = settings_->value(key);
  if (!value.isValid()) return {};
  // Anything QSettings did not read as plain text (@Variant, @ByteArray, lists) is a value
  // of another type.
  if (value.typeId() != QMetaType::QString) return {Kind::kOther, {}};
  return {Kind::kString, value.toString().toStdString()};
}

void QtSettingsBackend::Write(std::string_view group, std::string_view name,
                              std::string_view text) {
  Collect(Key(group, name), FromUtf8(text));
}

void QtSettingsBackend::Remove(std::string_view group, std::string_view name) {
  Collect(Key(group, name), std::nullopt);
}

void QtSettingsBackend::Collect(const QString& key, std::optional<QString> value) {
  // QSettings counts every set as a change and rewrites and syncs the whole file for it: a
  // value that ends as QSettings holds it is no change at all.
  const QVariant stored = settings_->value(key);
  const bool unchanged = value
                             ? stored.typeId() == QMetaType::QString && stored.toString() == *value
                             : !stored.isValid();
  if (unchanged) {
    collected_.erase(key);
    return;
  }
  collected_[key] = std::move(value);
  if (hand_over_queued_ || QCoreApplication::instance() == nullptr) return;
  hand_over_queued_ = true;
  // When QSettings would write a change of its own, at the next turn of the event loop.
  QMetaObject::invokeMethod(
      &queue_context_,
      [this] {
        hand_over_queued_ = false;
        if (HandOver()) settings_->sync();
      },
      Qt::QueuedConnection);
}

bool QtSettingsBackend::HandOver() {
  if (collected_.empty()) return false;
  for (const auto& [key, value] : collected_) {
    if (value) {
      settings_->setValue(key, *value);
    } else {
      settings_->remove(key);
    }
  }
  collected_.clear();
  unflushed_ = true;
  return true;
}

std::vector<std::string> QtSettingsBackend::Names(std::string_view group) const {
  std::vector<std::string> names;
  if (!group.empty()) settings_->beginGroup(FromUtf8(group));
  for (const QString& key : settings_->childKeys()) {
    const auto it = collected_.find(group.empty() ? key : FromUtf8(group) + '/' + key);
    if (it == collected_.end() || it->second) names.push_back(key.toStdString());
  }
  if (!group.empty()) settings_->endGroup();
  // Values collected but not yet handed over.
  const QString prefix = group.empty() ? QString() : FromUtf8(group) + '/';
  for (const auto& [key, value] : collected_) {
    if (!value || !key.startsWith(prefix)) continue;
    const QString name = key.mid(prefix.size());
    if (name.contains('/')) continue;
    std::string text = name.toStdString();
    if (std::find(names.begin(), names.end(), text) == names.end()) names.push_back(text);
  }
  return names;
}

void QtSettingsBackend::Flush() {
  HandOver();
  // Nothing changed since the last flush: the file is as durable as it was left.
  if (!unflushed_) return;
  SyncSettingsFile(*settings_, kWhat);
  unflushed_ = false;
}

}  // namespace orbeline
