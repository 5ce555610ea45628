#pragma once

#include <sys/types.h>

// Makes SIGINT and SIGTERM stop the tool cleanly: the child process it feeds, if any, is stopped
// and waited for, the temporaries of the files it was writing are removed (FileReplacement), one
// line on standard error says what it left as it was ("murkmoor-video: interrupted; the previous
// captures/murkmoor.mp4 is untouched"), and it exits with 128 + the signal's number, 130 or 143,
// as a shell reports a command that the signal ended. Without a name nothing is said: for a run
// that another process started and speaks for.
void stopCleanlyOnInterrupt(const char* toolName);

// The child to stop first on such a signal, with stopSignal; -1 for none.
void stopChildOnInterrupt(pid_t child, int stopSignal);

// Whether an exit status is what stopCleanlyOnInterrupt ends a run with.
bool interruptedStatus(int status);

// Kept by the progress line: whether a line of it is open, so that the interruption's line starts
// on a line of its own.
void noteProgressLineOpen(bool open);
