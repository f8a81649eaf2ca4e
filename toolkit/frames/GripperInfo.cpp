// SECGripperInfo: gripper geometry and the caption buttons' tips from the string table.
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/frames/GripperInfo.h>

#include <numeric>

namespace tarnwick::frames
{
namespace
{
constexpr int DEFAULT_PARTS[] = {4, 3, 1, 3, 6};
constexpr int DEFAULT_MARGIN = 3;
} // namespace

SECGripperInfo::SECGripperInfo() : m_nMargin(DEFAULT_MARGIN)
{
    std::copy(std::begin(DEFAULT_PARTS), std::end(DEFAULT_PARTS), m_nHorzParts);
    std::copy(std::begin(DEFAULT_PARTS), std::end(DEFAULT_PARTS), m_nVertParts);
    m_strCloseTip.LoadString(IDS_SEC_HIDE_DOCKED_WINDOW);
    m_strExpandTip.LoadString(IDS_SEC_EXPAND_DOCKED_WINDOW);
    m_strContractTip.LoadString(IDS_SEC_CONTRACT_DOCKED_WINDOW);
}

int SECGripperInfo::GetWidth() const
{
    return std::accumulate(std::begin(m_nHorzParts), std::end(m_nHorzParts), 0);
}

int SECGripperInfo::GetHeight() const
{
    return std::accumulate(std::begin(m_nVertParts), std::end(m_nVertParts), 0);
}
} // namespace tarnwick::frames
