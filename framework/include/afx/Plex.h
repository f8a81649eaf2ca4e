// Memory of the collections: element storage of the arrays and hash tables, and the blocks
// from which lists and maps take their nodes.
#pragma once

#include <windows.h>

#include <cstddef>

// Nodes of one size, allocated a block of nBlockSize at a time and recycled through a free
// list; a collection hands every block back at once when it becomes empty.
class CPlex
{
public:
    CPlex(size_t cbNode, INT_PTR nBlockSize);
    ~CPlex();
    CPlex(const CPlex&) = delete;
    CPlex& operator=(const CPlex&) = delete;

    // Raw memory for one node; the caller constructs it.
    void* NewNode();
    // Takes back the memory of a node that the caller has destroyed.
    void FreeNode(void* pNode);
    // Returns every block; all nodes must have been destroyed.
    void FreeAll();

    // Storage for nCount elements of cbElement bytes. Exhausted memory or a size that does
    // not fit throws CMemoryException, as MFC's collections report it.
    static void* Allocate(size_t nCount, size_t cbElement);
    static void Free(void* p);

private:
    struct CBlock;
    struct CFreeNode;

    CBlock* m_pBlocks = nullptr;
    CFreeNode* m_pFreeList = nullptr;
    size_t m_cbNode;
    size_t m_nBlockSize;
};
