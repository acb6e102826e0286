#include "temp_folder.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace ostrel::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        m_path = pattern;
    }
}

TempFolder::~TempFolder() {
    if (!m_path.empty()) {
        std::error_code ignored;  // a folder that cannot be removed is left to the system
        std::filesystem::remove_all(m_path, ignored);
    }
}

}  // namespace ostrel::testing
