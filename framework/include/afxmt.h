// Synchronisation: mutexes, events, critical sections, semaphores and the locks that use them.
#pragma once

#include <afx.h>

#include <afx/SyncObject.h>
#include <afx/SingleLock.h>
