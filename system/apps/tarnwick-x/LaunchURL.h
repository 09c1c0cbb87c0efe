// Opening a web address with the user's preferred application.
#pragma once

// Hands `url` to Internet Config, which starts the user's helper for it and
// does not wait. A helper that cannot be started is raised as a ThrowError,
// which ends the application through its top-level handler.
void LaunchURL(const char* url);
