#include <sapsim/Record.h>

namespace sapsim
{

void CRecord::Set(unsigned slot, std::wstring_view value)
{
    const uint32_t begin = slot == 0 ? 0 : m_ends[slot - 1];
    const uint32_t oldLength = m_ends[slot] - begin;
    m_text.replace(begin, oldLength, value);
    const int64_t growth = static_cast<int64_t>(value.size()) - oldLength;
    for (size_t i = slot; i < m_ends.size(); ++i)
        m_ends[i] = static_cast<uint32_t>(m_ends[i] + growth);
}

} // namespace sapsim
