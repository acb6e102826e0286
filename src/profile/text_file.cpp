#include "profile/text_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace ostrel {
namespace fs = std::filesystem;

namespace {

std::string Describe(const fs::path& path, const std::string& what) {
    return path.string() + ": " + what;
}

std::string Describe(const fs::path& path, const std::error_code& error) {
    return Describe(path, error.message());
}

// As many links as the system itself follows before it gives up (Linux: ELOOP after 40).
constexpr int kMaxLinkHops = 40;

// The file a write lands in: a symbolic link is followed, link by link, to the path it names,
// also when nothing exists there yet, as a plain open for writing would create that file.
Result<fs::path> WriteTarget(const fs::path& path) {
    fs::path target = path;
    std::error_code error;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return Result<fs::path>::Failure(Describe(target, error));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return Result<fs::path>::Failure(Describe(path, "too many levels of symbolic links"));
}

std::string TemporaryName(const fs::path& target) {
    static std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = ".";
    name += target.filename().string();
    name += '.';
    for (int i = 0; i < 8; ++i) name += kAlphabet[generator() % (sizeof(kAlphabet) - 1)];
    name += ".tmp";
    return name;
}

}  // namespace

std::vector<std::u16string> DecodeTextFile(std::string_view bytes) {
    std::vector<std::u16string> lines;
    std::u16string line;
    bool pending = false;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit == u'\n') {
            lines.push_back(std::move(line));
            line.clear();
            pending = false;
        } else {
            line += unit;
            pending = true;
        }
    }
    if (pending) lines.push_back(std::move(line));
    return lines;
}

std::string EncodeTextFile(const std::vector<std::u16string>& lines) {
    std::string bytes = "\xFF\xFE";
    auto put = [&bytes](char16_t unit) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    };
    for (const std::u16string& line : lines) {
        for (char16_t unit : line) put(unit);
        put(u'\n');
    }
    return bytes;
}

Result<std::vector<std::u16string>> ReadTextFile(const fs::path& path, FileAccess access) {
    std::error_code error;
    if (fs::is_directory(path, error)) return Result<std::vector<std::u16string>>::Failure(
        Describe(path, "is a folder"));
    const auto mode = access == FileAccess::ReadWrite ? std::ios::in | std::ios::out | std::ios::binary
                                                      : std::ios::in | std::ios::binary;
    std::fstream file(path, mode);
    if (!file.is_open()) {
        const bool exists = fs::exists(path, error);
        const char* what = !exists ? "does not exist"
                           : access == FileAccess::ReadWrite ? "cannot be opened for reading and writing"
                                                             : "cannot be read";
        return Result<std::vector<std::u16string>>::Failure(Describe(path, what));
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > kMaxTextFileBytes) {
        return Result<std::vector<std::u16string>>::Failure(Describe(path, "is too large"));
    }
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return Result<std::vector<std::u16string>>::Failure(Describe(path, "read error"));
    }
    return DecodeTextFile(bytes);
}

Status WriteTextFile(const fs::path& path, const std::vector<std::u16string>& lines) {
    return WriteFileAtomic(path, EncodeTextFile(lines));
}

Status WriteFileAtomic(const fs::path& path, std::string_view bytes) {
    const Result<fs::path> resolved = WriteTarget(path);
    if (!resolved) return Status::Failure(resolved.reason());
    const fs::path& target = *resolved;
    std::error_code error;
    const fs::file_status targetStatus = fs::status(target, error);
    const bool exists = fs::exists(targetStatus);
    if (exists) {
        if (!fs::is_regular_file(targetStatus)) return Status::Failure(Describe(target, "is not a file"));
        // Append mode opens for writing without touching the contents: a probe of permission.
        std::ofstream probe(target, std::ios::app | std::ios::binary);
        if (!probe.is_open()) return Status::Failure(Describe(target, "is not writable"));
    }

    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 8 && file == nullptr; ++attempt) {
        temporary = folder / TemporaryName(target);
        file = std::fopen(temporary.c_str(), "wbx");  // "x": never reuse an existing name
    }
    if (file == nullptr) return Status::Failure(Describe(folder, "cannot create a file there"));

    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        fs::remove(temporary, error);  // best effort: the failure below is what matters
        return Status::Failure(Describe(target, "write failed (disk full?)"));
    }
    if (exists) {
        fs::permissions(temporary, targetStatus.permissions(), fs::perm_options::replace, error);
    }
    fs::rename(temporary, target, error);
    if (error) {
        const std::string reason = Describe(target, error);
        fs::remove(temporary, error);  // best effort, as above
        return Status::Failure(reason);
    }
    return Status::Ok();
}

Status CopyFileAtomic(const fs::path& source, const fs::path& target) {
    std::ifstream input(source, std::ios::binary);
    if (!input.is_open()) return Status::Failure(Describe(source, "cannot be read"));
    const std::string bytes{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
    if (input.bad()) return Status::Failure(Describe(source, "read error"));
    return WriteFileAtomic(target, bytes);
}

Status KeepCopyBeside(const fs::path& path, std::string_view suffix) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return Status::Ok();
    fs::path copy = path;
    copy += std::string(suffix);
    return CopyFileAtomic(path, copy);
}

}  // namespace ostrel
