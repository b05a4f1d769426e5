// The serial-port side of read, write, align and fleet write: the sessions
// on the real port and terminal, with the system's stop requests as the
// cancel token.

#include "serial_commands.h"

#include <cstdio>
#include <functional>
#include <memory>

#include "console.h"
#include "link/cancel_token.h"
#include "link/system_serial_port.h"

namespace korvel::cli {
namespace {

CancelToken gCancel;

int RunOnSerialPort(const std::function<int(RadioSession&)>& command) {
  return RunStoppable(gCancel, [&] {
    const std::unique_ptr<SerialPort> port = MakeSystemSerialPort(gCancel);
    const bool terminal = IsTerminal(stderr);
    RadioSession session{*port, SystemClock::Instance(), gCancel, stdin, stderr, terminal, terminal && IsTerminal(stdin)};
    return command(session);
  });
}

}  // namespace

int ReadOnSerialPort(const RadioOptions& options) {
  return RunOnSerialPort([&](RadioSession& session) { return ReadRadio(options, session); });
}

int WriteOnSerialPort(const RadioOptions& options) {
  return RunOnSerialPort([&](RadioSession& session) { return WriteRadio(options, session); });
}

int AlignOnSerialPort(const AlignOptions& options) {
  return RunOnSerialPort([&](RadioSession& session) { return AlignRadio(options, session); });
}

int FleetWriteOnSerialPorts(const FleetOptions& options) {
  return RunStoppable(gCancel, [&] {
    FleetSession session{[](const std::string&) {
                           return FleetLine{MakeSystemSerialPort(gCancel), &SystemClock::Instance()};
                         },
                         gCancel,
                         stdin,
                         stdout,
                         stderr,
                         IsTerminal(stdin) && IsTerminal(stderr)};
    return WriteFleet(options, session);
  });
}

}  // namespace korvel::cli
