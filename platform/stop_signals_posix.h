// Between the POSIX process and its files: the unfinished file that a stop
// signal removes before the process ends.
#pragma once

// Holds SIGINT, SIGTERM and SIGHUP back until release_stop_signals, so
// that no handler sees what is done in between half done. Not nested.
void hold_stop_signals();
void release_stop_signals();
// The named file that a stop signal removes, or nullptr for none; set
// while the signals are held.
void remove_on_stop(const char* path);
