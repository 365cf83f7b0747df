// textconv INPUT OUTPUT
//
// Writes the UTF-8 text file INPUT as OUTPUT in Windows-1250 with CR LF line ends, the form the
// program reads. A character the code page cannot hold fails the conversion with its line
// number, so the build stops instead of shipping a "?" to the user.
#include <filesystem>
#include <iostream>
#include <string>

#include "core/calc/files.h"
#include "text_conv.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: textconv INPUT OUTPUT\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];

    std::string text;
    if (tv::readWholeFile(input, text) != tv::ReadResult::kOk) {
        std::cerr << input << ": cannot be read\n";
        return 1;
    }
    const tv::textconv::Result r = tv::textconv::convert(text, input);
    if (!r.ok()) {
        for (const std::string& e : r.errors)
            std::cerr << e << '\n';
        // A copy from an earlier, good build must not ship in place of the broken source.
        std::error_code ignored;
        std::filesystem::remove(output, ignored);
        return 1;
    }

    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(output).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec || !tv::saveFileAtomic(output, r.bytes)) {
        std::cerr << output << ": cannot be written\n";
        return 1;
    }
    return 0;
}
