// What the sample program reports on standard output: every hook the
// framework calls, with the drawing origin in force at that moment, so that a
// test can check both that a hook ran and the calling rules it ran under.
#pragma once

#include <string>

// One line: "<what> origin=(h,v) window=WxH" for the current port.
void LogHook(const std::string& what);
// One line as given.
void LogLine(const std::string& line);
// The length-prefixed string as text in double quotes.
std::string Quoted(const unsigned char* pascal);
