#pragma once
// Recordings on the disk, for the native hosts: read whole (at most one byte over the limit,
// so that the reader can refuse the size) and told as one line when they cannot be used.
#include <string>

#include "replay/recording.h"

namespace zn::replay {

// The file's recording, or why not: a file that cannot be opened or read is a problem of
// line 0 with the system's reason.
ReadResult readRecordingFile(const std::string& path);

// "PATH: line N: reason", or "PATH: reason" for a problem of the whole file; control bytes of
// the path are shown as \xNN.
std::string describeProblem(const std::string& path, const ReadProblem& problem);

}  // namespace zn::replay
