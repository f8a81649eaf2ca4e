// CObject and run-time class information: dynamic type checks, dynamic creation by class or
// by name, and the schema numbers that serialization stores.
#pragma once

#include <windows.h>

#define AFXAPI __stdcall

class CObject;
class CArchive;

// Schema value of classes that cannot be serialized.
#define AFX_NOSCHEMA 0xFFFF
// Or-ed into a schema number: objects of older schemas may be loaded.
#define VERSIONABLE_SCHEMA 0x80000000

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject*(PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // chain of every registered class

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Exact, case-sensitive lookup among the registered classes.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);

    // The first registered class, for walking the chain.
    static CRuntimeClass* PASCAL GetFirstClass();

    // A new class in an archive: schema (WORD), name length (WORD), narrow name. Load
    // returns NULL for a name that is not a serializable class here.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// A static object of this type registers one run-time class when the module starts.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
    static CRuntimeClass class##class_name;                                                                            \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                                  \
    DECLARE_DYNAMIC(class_name)                                                                                        \
    static CObject* PASCAL CreateObject();

// Defined in the class, not by IMPLEMENT_SERIAL, so that it is found in the class's namespace
// wherever IMPLEMENT_SERIAL is used. afx.h has defined CArchive before any class can use this.
#define DECLARE_SERIAL(class_name)                                                                                     \
    DECLARE_DYNCREATE(class_name)                                                                                      \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                                                 \
    {                                                                                                                  \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                                      \
        return ar;                                                                                                     \
    }

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                           \
    CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name),       wSchema,               \
                                                   pfnNew,      RUNTIME_CLASS(base_class_name), nullptr};              \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                                          \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                                 \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, AFX_NOSCHEMA, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                               \
    CObject* PASCAL class_name::CreateObject()                                                                         \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, AFX_NOSCHEMA, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                                         \
    CObject* PASCAL class_name::CreateObject()                                                                         \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

class CObject
{
public:
    static CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const
    {
    }

protected:
    CObject() = default;

private:
    // Objects are not copied by value unless a class says how.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// The object as the class, or null when it is not of that class.
inline CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object)                                                                           \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
