// Bytes as lower-case hexadecimal text and back, for comparing with published test vectors.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline std::string ToHex(const BYTE* p, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < n; i++)
    {
        text += digits[p[i] >> 4];
        text += digits[p[i] & 15];
    }
    return text;
}

inline std::string ToHex(const std::vector<BYTE>& bytes)
{
    return ToHex(bytes.data(), bytes.size());
}

inline std::vector<BYTE> FromHex(const std::string& text)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(BYTE(std::stoi(text.substr(i, 2), nullptr, 16)));
    return bytes;
}
