#pragma once
// A korvel-cli command run in-process, its output and error streams in
// memory: what the user would see on standard output and error, and the
// exit status. Header-only; a test using it links korvel_cli_core.

#include <string>

#include "command_streams.h"
#include "test_files.h"

namespace korvel::test {

struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};

template <class Options>
CommandRun RunCommand(int (*command)(const Options&, const cli::CommandStreams&), const Options& options) {
  MemoryStream out, err;
  const int status = command(options, {out.File(), err.File()});
  return {status, out.Text(), err.Text()};
}

}  // namespace korvel::test
