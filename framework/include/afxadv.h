// Less common framework classes: the shared memory file.
#pragma once

#include <afx.h>

#include <afx/SharedFile.h>
