#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace ostrel::testing_support {

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Writes `bytes` as they are, creating the folder; for fixtures the program's writer must not make.
inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "ostrel-test")
        : m_path(std::filesystem::temp_directory_path() /
                 (prefix + "-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);  // best effort: the test's verdict stands
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace ostrel::testing_support
