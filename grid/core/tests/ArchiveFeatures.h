// The application-wide features that archive, copy and compare styles, taken out for a scope by
// tests of what happens without them.
#pragma once

#include <grid/core/AppData.h>

#include <utility>

class WithoutArchiveFeatures
{
public:
    WithoutArchiveFeatures()
        : m_pStyleSerialize(std::exchange(m_pAppData->m_pStyleSerializeImp, nullptr)),
          m_pCompatible(std::exchange(m_pAppData->m_pSerializeTW5CompatibleImp, nullptr)),
          m_pCompare(std::exchange(m_pAppData->m_pStyleCompareSubsetImp, nullptr)),
          m_pDocSerialize(std::exchange(m_pAppData->m_pDocSerializeImp, nullptr)),
          m_pCopy(std::exchange(m_pAppData->m_pParamCopyOperatorImp, nullptr)),
          m_pProfile(std::exchange(m_pAppData->m_pGridProfileImp, nullptr))
    {
    }
    ~WithoutArchiveFeatures()
    {
        m_pAppData->m_pStyleSerializeImp = m_pStyleSerialize;
        m_pAppData->m_pSerializeTW5CompatibleImp = m_pCompatible;
        m_pAppData->m_pStyleCompareSubsetImp = m_pCompare;
        m_pAppData->m_pDocSerializeImp = m_pDocSerialize;
        m_pAppData->m_pParamCopyOperatorImp = m_pCopy;
        m_pAppData->m_pGridProfileImp = m_pProfile;
    }
    WithoutArchiveFeatures(const WithoutArchiveFeatures&) = delete;
    WithoutArchiveFeatures& operator=(const WithoutArchiveFeatures&) = delete;

private:
    CGXAppData* m_pAppData = GXGetAppDataPtr();
    CGXAbstractStyleSerializeImp* m_pStyleSerialize;
    CGXAbstractSerializeTW5CompatibleImp* m_pCompatible;
    CGXAbstractStyleCompareSubsetImp* m_pCompare;
    CGXAbstractGridDocSerializeImp* m_pDocSerialize;
    CGXAbstractGridParamCopyOperatorImp* m_pCopy;
    CGXAbstractGridProfileImp* m_pProfile;
};
