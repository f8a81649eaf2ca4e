#include <toolkit/frames/MultiDocTemplate.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)
}
