// The values of one structure or table row: one text per slot of its type, kept together in
// one buffer so that a large table costs few allocations and reads without copying.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sapsim
{

class CRecord
{
public:
    explicit CRecord(unsigned slots = 0) : m_ends(slots, 0)
    {
    }

    unsigned SlotCount() const
    {
        return static_cast<unsigned>(m_ends.size());
    }
    std::wstring_view Get(unsigned slot) const
    {
        const uint32_t begin = slot == 0 ? 0 : m_ends[slot - 1];
        return std::wstring_view(m_text).substr(begin, m_ends[slot] - begin);
    }
    void Set(unsigned slot, std::wstring_view value);

private:
    std::vector<uint32_t> m_ends; // end of each slot's text in m_text
    std::wstring m_text;
};

} // namespace sapsim
