// Expects an action to throw CZipException with a code, and with a file name when one is given.
#pragma once

#include <zip/Exception.h>

#include <gtest/gtest.h>

#include <functional>

inline void ExpectZipError(int iCode, const std::function<void()>& action, LPCTSTR lpszFile = nullptr)
{
    try
    {
        action();
        ADD_FAILURE() << "no CZipException " << iCode;
    }
    catch (CZipException* e)
    {
        EXPECT_EQ(iCode, e->m_iCause);
        if (lpszFile != nullptr)
        {
            EXPECT_STREQ(lpszFile, e->m_szFileName);
        }
        e->Delete();
    }
}
