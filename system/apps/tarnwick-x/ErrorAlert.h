// How the top-level handler shows an error that ends the program.
#pragma once

#include <support/ThrowError.h>

// Stop alert 10001 with the description, source unit, line and number, or,
// for a message to the user, 10002 with the description alone.
void ShowErrorAlert(const ThrowError& error);
