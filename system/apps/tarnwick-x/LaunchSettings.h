// What main decides before the window is built: Classic refusal, the saved
// ratio choice brought up to date with the live L2CR, and advanced mode.
#pragma once

#include <MacTypes.h>

// Whether the Mac OS compatibility environment runs this program (Gestalt
// 'bbox' bit 0); false when Gestalt cannot tell.
Boolean RunningOnClassic();

// Option (virtual key code 58) held down as the program starts.
bool OptionKeyHeld();

// Replaces a saved ratio choice other than the automatic entry with the one
// the running cache uses, when its clock field is not 0; a choice no item
// stands for (only a damaged preferences file holds one) becomes 3:1.
void RefreshRatioSelection(UInt32 l2cr);

// Advanced mode: Option held, or a choice only advanced mode offers
// (automatic, 7:2 or 4:1).
bool NeedsAdvancedMode(bool optionHeld, UInt32 selection);
