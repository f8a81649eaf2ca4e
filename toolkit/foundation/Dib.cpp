#include "Dib.h"

namespace tarnwick::foundation
{
IMPLEMENT_DYNCREATE(SECDib, SECImage)
} // namespace tarnwick::foundation
