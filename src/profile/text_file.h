#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace ostrel {

// The text files of the data folder (settings, profiles, language, macro library): UTF-16
// little-endian with the byte-order mark FF FE, every line ended by one line feed.

// Files larger than this are refused rather than read: no file of the program comes near it.
inline constexpr std::uintmax_t kMaxTextFileBytes = 64u * 1024 * 1024;

// Lines of a file's bytes by the reading rules: the first two bytes are skipped whatever they
// are, the rest is split on U+000A, a carriage return stays part of its line, and the empty
// remainder after a final line feed is no line. An odd last byte is ignored.
std::vector<std::u16string> DecodeTextFile(std::string_view bytes);

// The bytes of a file holding `lines`: the byte-order mark, then each line and a line feed.
std::string EncodeTextFile(const std::vector<std::u16string>& lines);

enum class FileAccess { ReadWrite, ReadOnly };

// Reads a text file. The program opens its files for reading and writing, so by default a file
// that is missing or not writable is refused; inspection tools read with ReadOnly.
Result<std::vector<std::u16string>> ReadTextFile(const std::filesystem::path& path,
                                                 FileAccess access = FileAccess::ReadWrite);

// Writes `lines` atomically (see WriteFileAtomic).
Status WriteTextFile(const std::filesystem::path& path, const std::vector<std::u16string>& lines);

// Replaces the file's contents with `bytes` through a temporary file in the same folder that is
// flushed and renamed over it, so a crash or a full disk never leaves a half-written file.
// The write may do no more than a plain write could: an existing target that is not writable is
// refused, a symbolic link is written through to its target, and an existing file keeps its mode.
Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Copies `source` over `target` atomically (see WriteFileAtomic).
Status CopyFileAtomic(const std::filesystem::path& source, const std::filesystem::path& target);

// Keeps a copy of an existing file beside it, named path + suffix, replacing an older copy, before
// the file is overwritten with defaults. A missing file needs no copy and succeeds.
Status KeepCopyBeside(const std::filesystem::path& path, std::string_view suffix);

}  // namespace ostrel
