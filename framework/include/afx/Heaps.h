// The framework's heaps as a whole, beside the blocks that they hand out.
#pragma once

// Gives the pages that lie wholly inside free blocks of the framework's heaps back to the system;
// the heaps keep the address space and take the pages again when they need them. For the end of
// a burst of work on many threads, such as a session, which leaves each heap with the free room
// of its busiest moment.
void AfxReleaseFreeHeapPages();
