#include <afx.h>

#include <cstring>

namespace
{
CRuntimeClass*& FirstClass()
{
    static CRuntimeClass* first = nullptr;
    return first;
}
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), AFX_NOSCHEMA, nullptr, nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    // Registration runs during static initialisation, before any thread starts.
    pNewClass->m_pNextClass = FirstClass();
    FirstClass() = pNewClass;
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::GetFirstClass()
{
    return FirstClass();
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* pClass = FirstClass(); pClass != nullptr; pClass = pClass->m_pNextClass)
    {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return nullptr;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    // Class names are identifiers: anything outside ASCII cannot match.
    char name[256];
    size_t i = 0;
    for (; lpszClassName[i] != 0; ++i)
    {
        if (i + 1 == sizeof(name) || lpszClassName[i] > 0x7F)
            return nullptr;
        name[i] = static_cast<char>(lpszClassName[i]);
    }
    name[i] = 0;
    return FromName(name);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != AFX_NOSCHEMA;
}

void CObject::Serialize(CArchive&)
{
}
