// Gadget timers that tick only when the test says so.
#pragma once

#include <grid/controls/BDTGadget.h>

#include <gtest/gtest.h>

class ManualTimers : public CGXBDTTimerSource
{
public:
    ManualTimers()
    {
        CGXBDTGadget::SetTimerSource(this);
    }
    ~ManualTimers() override
    {
        CGXBDTGadget::SetTimerSource(nullptr);
    }
    ManualTimers(const ManualTimers&) = delete;
    ManualTimers& operator=(const ManualTimers&) = delete;

    UINT_PTR StartTimer(UINT nMilliseconds) override
    {
        m_nInterval = nMilliseconds;
        return m_nRunning = ++m_nLastId;
    }
    void StopTimer(UINT_PTR nTimerId) override
    {
        if (nTimerId == m_nRunning)
            m_nRunning = 0;
    }
    void Tick()
    {
        ASSERT_NE(m_nRunning, 0U);
        ASSERT_TRUE(CGXBDTGadget::DispatchTimer(m_nRunning));
    }

    UINT_PTR m_nLastId = 0;
    UINT_PTR m_nRunning = 0;
    UINT m_nInterval = 0;
};
