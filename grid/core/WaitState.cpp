#include <grid/core/WaitState.h>

GX_WAIT_STATE::~GX_WAIT_STATE()
{
    for (int i = 0; i < nMaxLevels; ++i)
        if (m_abOwned[i])
            delete[] m_apszStatus[i];
}
