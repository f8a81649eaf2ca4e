// Copies of a few bytes without a call. The runtime's memmove copies small blocks with string
// instructions that take longer than the rest of a short string operation, and the hot paths
// (field reads, string assignment, record fields) copy mostly a few dozen bytes. Larger blocks
// still go to the runtime.
#pragma once

#include <cstddef>
#include <cstring>

// Copies nBytes from pSrc to pDest, which may overlap: every load comes before the first store.
inline void AfxMoveBytes(void* pDest, const void* pSrc, size_t nBytes)
{
    struct Block
    {
        unsigned long long low, high;
    };
    auto* d = static_cast<unsigned char*>(pDest);
    const auto* s = static_cast<const unsigned char*>(pSrc);
    // Two blocks of a size, one at each end, cover every length from that size to twice it.
    const auto ends = [d, s, nBytes]<class T>(T) {
        T first, last;
        std::memcpy(&first, s, sizeof(T));
        std::memcpy(&last, s + nBytes - sizeof(T), sizeof(T));
        std::memcpy(d, &first, sizeof(T));
        std::memcpy(d + nBytes - sizeof(T), &last, sizeof(T));
    };
    if (nBytes > 64)
        std::memmove(d, s, nBytes);
    else if (nBytes > 32)
    {
        Block head[2], tail[2];
        std::memcpy(head, s, sizeof(head));
        std::memcpy(tail, s + nBytes - sizeof(tail), sizeof(tail));
        std::memcpy(d, head, sizeof(head));
        std::memcpy(d + nBytes - sizeof(tail), tail, sizeof(tail));
    }
    else if (nBytes > 16)
        ends(Block{});
    else if (nBytes >= 8)
        ends(0ull);
    else if (nBytes >= 4)
        ends(0u);
    else if (nBytes >= 2)
        ends(static_cast<unsigned short>(0));
    else if (nBytes == 1)
        *d = *s;
}

inline void AfxMoveChars(wchar_t* pDest, const wchar_t* pSrc, size_t nCount)
{
    AfxMoveBytes(pDest, pSrc, nCount * sizeof(wchar_t));
}
