// The warning dialog and the stop alert of the application's resource file,
// as the sample's push buttons show them.
#pragma once

// Dialog 128 until its first or second button is hit; its check box toggles.
void ShowSampleWarning();
// Stop alert 10002 with a message of the sample's.
void ShowSampleAlert();
