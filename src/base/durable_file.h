#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

namespace orbeline {

// Replaces `path` with `parts` written one after the other, so that neither a reader nor a
// crash (of the program or of the machine) ever finds a half-written file: the data goes to
// an unnamed file in the same folder (O_TMPFILE, "<name>.tmp-XXXXXX" where the filesystem
// has no unnamed files), is flushed to disk, linked into place and the folder is flushed.
// The new file's mode is 0666 less the umask. On failure nothing is left behind and
// orbeline::Error names `path` and the reason.
void WriteFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> parts);

// The same with the content made piece by piece, so that a large file never needs to be
// in memory whole: `fill` puts the next bytes into the buffer it is given and returns how
// many it put there; 0 ends the file. The disk starts writing each piece at once, so little
// is left to wait for at the final flush.
using FileFiller = std::function<std::size_t(std::span<std::uint8_t> buffer)>;
void WriteFileAtomically(const std::filesystem::path& path, const FileFiller& fill);

// Flushes a folder's entries to disk, so that a file created, renamed or removed in it stays
// so after a power loss. Throws orbeline::Error naming the folder when it cannot.
void SyncFolder(const std::filesystem::path& folder);

// Removes the temporary files that writes of `file_name` into `folder` left when the process
// died during them ("<file_name>.tmp-XXXXXX"). Only a process that is sure no other one
// writes there (the instance lock) may call it.
void RemoveInterruptedWrites(const std::filesystem::path& folder, std::string_view file_name);

}  // namespace orbeline
