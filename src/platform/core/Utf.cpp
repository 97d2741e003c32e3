// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/Utf.h"

namespace {

struct LeadByte {
    int continuations;    // bytes that must follow
    unsigned char low;    // range of the first continuation byte (it is narrower
    unsigned char high;   // after some leads, which rules out overlong forms,
    char32_t payloadMask; // surrogates and code points above U+10FFFF)
};

std::optional<LeadByte> ClassifyLead(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return LeadByte{1, 0x80, 0xBF, 0x1F};
    if (lead == 0xE0)
        return LeadByte{2, 0xA0, 0xBF, 0x0F};
    if (lead == 0xED)
        return LeadByte{2, 0x80, 0x9F, 0x0F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return LeadByte{2, 0x80, 0xBF, 0x0F};
    if (lead == 0xF0)
        return LeadByte{3, 0x90, 0xBF, 0x07};
    if (lead >= 0xF1 && lead <= 0xF3)
        return LeadByte{3, 0x80, 0xBF, 0x07};
    if (lead == 0xF4)
        return LeadByte{3, 0x80, 0x8F, 0x07};
    return std::nullopt;
}

} // namespace

std::optional<char32_t> DecodeUtf8CodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    const std::optional<LeadByte> form = ClassifyLead(lead);
    if (!form) {
        ++pos;
        return std::nullopt;
    }
    char32_t codePoint = lead & form->payloadMask;
    for (int k = 1; k <= form->continuations; ++k) {
        const std::size_t at = pos + std::size_t(k);
        const unsigned char low = k == 1 ? form->low : 0x80;
        const unsigned char high = k == 1 ? form->high : 0xBF;
        if (at >= text.size() || static_cast<unsigned char>(text[at]) < low ||
            static_cast<unsigned char>(text[at]) > high) {
            pos = at;
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
    }
    pos += std::size_t(form->continuations) + 1;
    return codePoint;
}

void AppendUtf16(std::u16string& out, char32_t codePoint)
{
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(char16_t(0xD800 + (codePoint >> 10)));
        out.push_back(char16_t(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(char16_t(codePoint));
    }
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(char(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(char(0xC0 | (codePoint >> 6)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(char(0xE0 | (codePoint >> 12)));
        out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (codePoint >> 18)));
        out.push_back(char(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    }
}

std::optional<std::u16string> DecodeUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::optional<char32_t> codePoint = DecodeUtf8CodePoint(text, pos);
        if (!codePoint)
            return std::nullopt;
        AppendUtf16(out, *codePoint);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        AppendUtf16(out, DecodeUtf8CodePoint(text, pos).value_or(U'\uFFFD'));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = 0xFFFD;
        }
        AppendUtf8(out, codePoint);
    }
    return out;
}
