#pragma once
// A korvel-cli command run in-process, its output and error streams in
// memory: what the user would see on standard output and error, and the
// exit status. Header-only; a test using it links korvel_cli_core.

#include <string>

#include "command_streams.h"
#include "memory_stream.h"
#include "test_files.h"

namespace korvel::test {

// The program's own stream in memory.
using cli::MemoryStream;

struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};

// run(streams) is the command called with the captured streams, for a
// command that takes more than its options (a port source).
template <class Run>
CommandRun RunWithStreams(Run run) {
  MemoryStream out, err;
  const int status = run(cli::CommandStreams{out.File(), err.File()});
  return {status, out.Text(), err.Text()};
}

template <class Options>
CommandRun RunCommand(int (*command)(const Options&, const cli::CommandStreams&), const Options& options) {
  return RunWithStreams([&](const cli::CommandStreams& streams) { return command(options, streams); });
}

}  // namespace korvel::test
