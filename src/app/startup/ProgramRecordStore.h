// The record store started in the run directory, the same way for the window
// and the command line.
#pragma once

namespace mss::app {

// Initialises the record store in the run directory in the program's
// language; after a fatal error (reported, every file closed) the program
// ends.
bool InitProgramRecordStore();

}  // namespace mss::app
