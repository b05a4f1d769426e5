#pragma once
// korvel-cli ports: the serial ports present, as the window's Port menu
// lists them, one line each or as JSON for scripts.

#include "command_streams.h"
#include "link/serial_port_list.h"

namespace korvel::cli {

struct PortsOptions {
  bool json = false;
};

// One PortLine per port on out, or a JSON array of PortJson objects. With
// no port, kNoPortFound on err (and "[]" on out for JSON). Always 0: an
// empty list is an answer, not a failure.
int ListPorts(const PortsOptions& options, const CommandStreams& streams, PortSource& source);

}  // namespace korvel::cli
