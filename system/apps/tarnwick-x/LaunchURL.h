// Opening a web address with the user's preferred application.
#pragma once

// Starts the program named by the BROWSER environment variable, else
// xdg-open, with `url` as its one argument, and does not wait for it. A
// program that cannot be started is raised as a ThrowError, which ends the
// application through its top-level handler.
void LaunchURL(const char* url);
