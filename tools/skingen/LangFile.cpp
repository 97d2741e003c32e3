// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a UTF-8 language source into the shipped language file: UTF-16LE with a
// byte-order mark, lines ended by CR LF, and "END OF FILE" after the last pair.
// Lines starting with ";;" are comments of the source and are left out. The first
// two lines are the title and a free line; after them every non-blank line is a key
// or its text, alternately, so an odd count means a lost line and fails the build.
#include "platform/core/AtomicFile.h"
#include "platform/core/Utf.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <utf-8 source> <language file>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(";;", 0) == 0)
            continue;
        lines.push_back(line);
    }
    if (lines.size() < 2) {
        std::fprintf(stderr, "%s: the title and the second line are missing\n", argv[1]);
        return 1;
    }
    std::string text = lines[0] + "\r\n" + (IsBlank(lines[1]) ? std::string("-") : lines[1]) + "\r\n";
    std::size_t pairLines = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (IsBlank(lines[i]))
            continue;
        text += lines[i] + "\r\n";
        ++pairLines;
    }
    if (pairLines % 2 != 0) {
        std::fprintf(stderr, "%s: a key without its text (odd number of lines)\n", argv[1]);
        return 1;
    }
    text += "END OF FILE\r\n";
    const std::optional<std::u16string> wide = DecodeUtf8(text);
    if (!wide) {
        std::fprintf(stderr, "%s is not valid UTF-8\n", argv[1]);
        return 1;
    }
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : *wide) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    std::string error;
    if (!WriteFileAtomically(argv[2], bytes, error, NewFileAccess::Shared)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
