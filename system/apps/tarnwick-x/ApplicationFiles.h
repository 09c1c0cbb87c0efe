// Where the application finds what it needs beside its executable: its
// resource file and the documentation it offers as its support page.
#pragma once

#include <MacTypes.h>

#include <filesystem>

// TARNWICK_RESOURCES if set, else <exe dir>/../share/korvendale/Tarnwick X.rsrc.
std::filesystem::path ApplicationResourcesPath();

// Opens the application's resource file and gives its reference number. On
// failure, one line on standard error naming the file, and false.
bool OpenApplicationResources(SInt16& refNum);

// The support page: the README installed with the program, as a file URL.
const char* SupportPageAddress();
