// Opens the application's resource file for the sample, as a Mac opens an
// application's resources at launch: TARNWICK_RESOURCES if set, else
// ../share/korvendale/Tarnwick X.rsrc beside the executable.
#pragma once

// False (with a line on standard error) when the file cannot be opened.
bool OpenSampleResources();
