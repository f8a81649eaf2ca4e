// The framework's own blocks: from the heap of the calling thread's set, freed and resized on
// any thread. Like malloc, each answers nullptr when there is no memory.
#pragma once

#include <cstddef>

void* AfxAllocateBlock(std::size_t nSize);
// A null block is allocated.
void* AfxReallocateBlock(void* p, std::size_t nSize);
void AfxFreeBlock(void* p);
