#pragma once

#include <QSettings>
#include <filesystem>
#include <string_view>

namespace orbeline {

// The INI files the program keeps with QSettings (its settings, the generic desktop's values,
// the GNOME desktop's remembered picture). `what` names the file in messages ("settings
// file", ...).

// Refuses, before QSettings opens it, a file it must not touch: one that is not a regular
// file (QSettings would wait for ever on a FIFO) or that cannot be read (it would carry on
// with defaults and later overwrite the user's values). A file that does not exist yet is
// fine. Throws orbeline::Error naming the file.
void CheckSettingsFile(const std::filesystem::path& file, std::string_view what);

// Writes the pending changes of `settings` durably and confirms them: QSettings writes a
// temporary file, flushes it and renames it into place; the folder is then flushed, so the
// new file survives a power loss. Throws orbeline::Error naming the file when it could not
// be written. A syntax error met while reading the file is not a failure of the write.
void SyncSettingsFile(QSettings& settings, std::string_view what);

// Removes what a QSettings write left in `folder` when the process died during it: the
// stale lock file "<file>.lock" and the temporary files "<file>.XXXXXX" written while it was
// held. Only a process holding the instance lock may call it.
void RemoveInterruptedSettingsWrites(const std::filesystem::path& folder);

}  // namespace orbeline
