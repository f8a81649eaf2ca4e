// The stand-in RFC library, simnwrfc.dll: the simulated landscape behind the published names
// (simnwrfc.def), loaded through the binding as an installed library would be. It is a test
// fixture and a demonstration. Its landscape is its own, read from LUMITER_LANDSCAPE as the
// built-in one is; tests pin its clock with the one export of its own.
#include <sapsim/Landscape.h>

extern "C" void SimSetLandscapeTime(__time64_t time)
{
    sapsim::CLandscape::Active().SetTime(time);
}
