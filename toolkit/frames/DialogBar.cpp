#include <toolkit/frames/DialogBar.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)

SECDialogBar::SECDialogBar()
    : m_sizeTemplate(0, 0), m_lpszTemplateName(nullptr), m_pOccDialogInfo(nullptr), m_lpszCreatingTemplate(nullptr)
{
}
} // namespace tarnwick::frames
