#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace orbeline {

// The whole content of a file; raises ImageError naming the file when it cannot be read
// or is larger than any picture we accept.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// Replaces `path` with `parts` written one after the other: they go to "<path>.tmp-XXXXXX"
// in the same folder, are flushed to disk and the file is renamed into place, so a reader
// never sees a half-written file. On failure the temporary file is removed and
// orbeline::Error names `path` and the reason.
void WriteFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const std::uint8_t>> parts);

}  // namespace orbeline
