// SIGTERM and SIGINT ask the program to quit in order (the 'quit' Apple
// event) instead of killing it. The handler only writes a byte into a pipe
// (async-signal-safe); the event queue reads it. A second signal of the same
// kind kills the program as usual, in case it no longer reads events.
#pragma once

namespace toolbox {

void installQuitSignals();
// True once for every signal that arrived since the last call.
bool takeQuitSignal();
// Readable while a quit signal waits to be taken (-1 before installQuitSignals).
int quitSignalDescriptor();
// Run (async-signal-safe) just before a second signal ends the program.
void setQuitSignalLastWords(void (*restore)());

} // namespace toolbox
