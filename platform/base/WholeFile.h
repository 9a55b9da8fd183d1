// Reading and writing a whole file at once, crash-safe on writing: the content
// goes to a temporary file in the same folder, is flushed to the disk, and then
// replaces the target in one rename. A failure at any step leaves the old file
// as it was; a crash leaves either the old or the new content, never a mix.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Replaces the file's content (creating the file when missing). A target that
// is a link is followed, so the link stays. The new file keeps the old one's
// permissions. The hidden temporary files that earlier writes of the same
// file left when their process was killed halfway are removed first. Raises EFCreateError when the temporary file cannot be made and
// EWriteError when writing, flushing or renaming fails.
void WriteWholeFile(std::string_view fileName, std::string_view content);

// The whole content of a file. Raises EFOpenError when the file cannot be
// opened, EReadError when reading fails or the file is larger than maxBytes.
std::string ReadWholeFile(std::string_view fileName, std::size_t maxBytes = std::size_t(256) << 20);
