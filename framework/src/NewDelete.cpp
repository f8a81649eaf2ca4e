// The program's operator new and delete take the framework's blocks. They have a file of their
// own so that a program can still replace them: the linker then leaves this file out.
#include "Memory.h"

#include <new>

void* operator new(std::size_t nSize)
{
    for (;;)
    {
        if (void* p = AfxAllocateBlock(nSize))
            return p;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
            throw std::bad_alloc();
        handler();
    }
}

void operator delete(void* p) noexcept
{
    AfxFreeBlock(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    AfxFreeBlock(p);
}
