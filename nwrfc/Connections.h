// What the function calls need of the connections.
#pragma once

#include <sapsim/Failure.h>

#include <cstdint>

namespace nwrfc
{

// A connection whose partner is gone is closed by the library after a communication failure,
// as the real library does, so that its handle is not left open.
void ReleaseBroken(uintptr_t connection, const sapsim::CFailure& failure);

} // namespace nwrfc
