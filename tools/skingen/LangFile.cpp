// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a UTF-8 language source into the shipped language file: UTF-16LE with a
// byte-order mark, lines ended by CR LF, and "END OF FILE" after the last pair.
// Lines starting with ";;" are comments of the source and are left out. The first
// two lines are the title and a free line; after them every non-blank line is a key
// or its text, alternately, so an odd count means a lost line and fails the build.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool DecodeUtf8(const std::string& in, std::u16string& out)
{
    for (std::size_t i = 0; i < in.size();) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        char32_t code = 0;
        int extra = 0;
        if (c < 0x80) {
            code = c;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            code = c & 0x07;
            extra = 3;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= in.size())
                return false;
            const unsigned char next = static_cast<unsigned char>(in[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return true;
}

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
    std::u16string wide;
    if (!DecodeUtf8(text, wide)) {
        std::fprintf(stderr, "%s is not valid UTF-8\n", argv[1]);
        return 1;
    }
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : wide) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    const std::string temporary = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", temporary.c_str());
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
