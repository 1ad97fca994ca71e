#pragma once

// One run of the converter from its command line: reads the arguments, opens
// the files, converts, closes them and writes exactly one message to standard
// error. Returns the exit status, 0 or 1.
int run(int argc, const char* const argv[]);
