// Build helper: converts a UTF-8 source text (the language files in the repository) into the
// program's on-disk text format, UTF-16 little-endian with the byte-order mark.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "base/utf.h"
#include "profile/text_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: text_to_utf16 SOURCE.utf8 TARGET\n";
        return 2;
    }
    std::ifstream source(argv[1], std::ios::binary);
    if (!source) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(ostrel::Utf8ToUtf16(std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    const ostrel::Status written = ostrel::WriteTextFile(argv[2], lines);
    if (!written) {
        std::cerr << written.reason() << "\n";
        return 1;
    }
    return 0;
}
