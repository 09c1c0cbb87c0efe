// Whether the user may write into the startup item's folder, where the
// preferences live: sets `authorized`.
#pragma once

// Creates and deletes the empty file "AuthorizationTest" there. Only a
// refused access (afpAccessDenied) clears `authorized`; every error is absorbed, and
// nothing is asked of the user or installed.
void ProbeWritePermission();
