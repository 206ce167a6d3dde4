#include "platform/qt_settings_backend.h"

#include "base/error.h"
#include "platform/settings_file.h"

namespace orbeline {
namespace {

constexpr std::string_view kWhat = "settings file";

QString Key(std::string_view group, std::string_view name) {
  QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (group.empty()) return key;
  return QString::fromUtf8(group.data(), static_cast<qsizetype>(group.size())) + '/' + key;
}

}  // namespace

QtSettingsBackend::QtSettingsBackend(const std::filesystem::path& file) {
  CheckSettingsFile(file, kWhat);
  settings_ =
      std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}

SettingsBackend::Value QtSettingsBackend::Read(std::string_view group,
                                               std::string_view name) const {
  QVariant value = settings_->value(Key(group, name));
  if (!value.isValid()) return {};
  // Anything QSettings did not read as plain text (@Variant, @ByteArray, lists) is a value
  // of another type.
  if (value.typeId() != QMetaType::QString) return {Kind::kOther, {}};
  return {Kind::kString, value.toString().toStdString()};
}

void QtSettingsBackend::Write(std::string_view group, std::string_view name,
                              std::string_view text) {
  const QString key = Key(group, name);
  const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  // QSettings counts every set as a change and rewrites and syncs the whole file for it:
  // a run that stores what is stored already would write the disk for nothing.
  const QVariant stored = settings_->value(key);
  if (stored.typeId() == QMetaType::QString && stored.toString() == value) return;
  settings_->setValue(key, value);
}

void QtSettingsBackend::Remove(std::string_view group, std::string_view name) {
  settings_->remove(Key(group, name));
}

std::vector<std::string> QtSettingsBackend::Names(std::string_view group) const {
  std::vector<std::string> names;
  if (!group.empty()) {
    settings_->beginGroup(QString::fromUtf8(group.data(), static_cast<qsizetype>(group.size())));
  }
  for (const QString& key : settings_->childKeys()) names.push_back(key.toStdString());
  if (!group.empty()) settings_->endGroup();
  return names;
}

void QtSettingsBackend::Flush() { SyncSettingsFile(*settings_, kWhat); }

}  // namespace orbeline
