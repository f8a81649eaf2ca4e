// Decides which formulas must be computed again after cells changed, computes them with their
// precedents first, finds reference cycles, iterates over them on request and checks
// constraints.
#pragma once

#include <grid/formula/EngineStore.h>

// 1 when a recalculation ran, 0 in manual mode (the changed ranges are forgotten).
BOOL GXEngineRecalcSheet(int nSheet);
// Recalculates even in manual mode.
void GXEngineRecalcNow(int nSheet);
// Brings one formula up to date, precedents first.
void GXEngineRecalcCell(int nSheet, GXEngineNode* pNode);
void GXEngineRecalcCell(GXEngineSheet* pSheet, GXEngineNode* pNode);
// One pass; answers the number of constraint violations found, or 0.
int GXEngineRecalcPass(int nSheet);
