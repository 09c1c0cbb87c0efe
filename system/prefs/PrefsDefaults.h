// The settings used when there is no preferences file yet.
#pragma once

#include "prefs/G3TarnwickAppPrefs.h"

// Fills every field of `record` with its default. The ratio choice and the
// write-through flag follow the L2 cache as it runs now; speculative access is
// left on for the machines known to need it.
void FillDefaultPrefs(G3TarnwickAppPrefs& record);
