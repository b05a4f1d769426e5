#include "ports_command.h"

namespace korvel::cli {

int ListPorts(const PortsOptions& options, const CommandStreams& streams, PortSource& source) {
  const std::vector<ListedPort> ports = ListSerialPorts(source);
  if (ports.empty()) WriteLine(streams.err, kNoPortFound);
  if (!options.json) {
    for (const ListedPort& port : ports) WriteLine(streams.out, PortLine(port));
    return 0;
  }
  if (ports.empty()) {
    WriteLine(streams.out, "[]");
    return 0;
  }
  // One object a line, so a person can read it too.
  for (std::size_t i = 0; i < ports.size(); ++i)
    WriteLine(streams.out, (i == 0 ? "[" : " ") + PortJson(ports[i]) + (i + 1 < ports.size() ? "," : "]"));
  return 0;
}

}  // namespace korvel::cli
