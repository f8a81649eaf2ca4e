// The typed collections: arrays, lists and maps of pointers, objects, integers and strings,
// each an instance of the templates with MFC's element and argument types.
#pragma once

#include <afxtempl.h>

/////////////////////////////////////////////////////////////////////////////
// Arrays

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    using CArray::Add;
    using CArray::InsertAt;
    using CArray::SetAt;
    using CArray::SetAtGrow;

    void SetAt(INT_PTR nIndex, LPCTSTR newElement)
    {
        CArray::SetAt(nIndex, CString(newElement));
    }
    void SetAtGrow(INT_PTR nIndex, LPCTSTR newElement)
    {
        CArray::SetAtGrow(nIndex, CString(newElement));
    }
    INT_PTR Add(LPCTSTR newElement)
    {
        return CArray::Add(CString(newElement));
    }
    void InsertAt(INT_PTR nIndex, LPCTSTR newElement, INT_PTR nCount = 1)
    {
        CArray::InsertAt(nIndex, CString(newElement), nCount);
    }
};

/////////////////////////////////////////////////////////////////////////////
// Lists

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    using CList::CList;
};

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    using CList::CList;
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    using CList::AddHead;
    using CList::AddTail;
    using CList::CList;
    using CList::InsertAfter;
    using CList::InsertBefore;
    using CList::SetAt;

    POSITION AddHead(LPCTSTR newElement)
    {
        return CList::AddHead(CString(newElement));
    }
    POSITION AddTail(LPCTSTR newElement)
    {
        return CList::AddTail(CString(newElement));
    }
    POSITION InsertBefore(POSITION position, LPCTSTR newElement)
    {
        return CList::InsertBefore(position, CString(newElement));
    }
    POSITION InsertAfter(POSITION position, LPCTSTR newElement)
    {
        return CList::InsertAfter(position, CString(newElement));
    }
    void SetAt(POSITION pos, LPCTSTR newElement)
    {
        CList::SetAt(pos, CString(newElement));
    }
};

/////////////////////////////////////////////////////////////////////////////
// Maps. String keys are stored as CString and passed as LPCTSTR.

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    using CMap::CMap;
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    using CMap::CMap;
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    using CMap::CMap;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    using CMap::CMap;
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    using CMap::CMap;
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    using CMap::CMap;
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    using CMap::CMap;
};
