#include "link/serial_port_list.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "link/port_names.h"

namespace korvel {

namespace {

constexpr int kComNames = 4;

int TransportRank(PortTransport transport) {
  switch (transport) {
    case PortTransport::Usb: return 0;
    case PortTransport::Bluetooth: return 1;
    case PortTransport::Native: return 2;
    case PortTransport::Other: break;
  }
  return 3;
}

// a before b when read as text with every run of digits taken as a number:
// ttyUSB2 before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (da && db) {
      std::size_t ei = i, ej = j;
      while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
      while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
      // Leading zeros aside, the longer run is the larger number.
      std::size_t si = i, sj = j;
      while (si + 1 < ei && a[si] == '0') ++si;
      while (sj + 1 < ej && b[sj] == '0') ++sj;
      const std::string_view na(a.data() + si, ei - si), nb(b.data() + sj, ej - sj);
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ei;
      j = ej;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

const char* TransportName(PortTransport transport) {
  switch (transport) {
    case PortTransport::Usb: return "usb";
    case PortTransport::Bluetooth: return "bluetooth";
    case PortTransport::Native: return "native";
    case PortTransport::Other: break;
  }
  return "other";
}

std::string Hex4(int id) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id) & 0xFFFFu);
  return text;
}

// "067b:2303", or "" without both ids.
std::string UsbIds(const PortDescription& port) {
  if (!port.usbVendor || !port.usbProduct) return {};
  return Hex4(*port.usbVendor) + ":" + Hex4(*port.usbProduct);
}

// A description as one line of text: a control character (a line end, a
// tab) would split or shift the line, so it is shown as a space.
std::string OnOneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return text;
}

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\n': json += "\\n"; break;
      case '\r': json += "\\r"; break;
      case '\t': json += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          json += escaped;
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}

std::string JsonOrNull(const std::string& text) { return text.empty() ? "null" : JsonString(text); }

std::string JoinedComNames(const ListedPort& port) {
  std::string names;
  for (const std::string& com : port.reachedBy) names += (names.empty() ? "" : ",") + com;
  return names;
}

}  // namespace

std::vector<ListedPort> ListSerialPorts(PortSource& source) {
  std::vector<PortDescription> found = source.Ports();
  std::vector<ListedPort> listed;
  auto known = [&listed](const std::string& path) {
    return std::any_of(listed.begin(), listed.end(),
                       [&](const ListedPort& p) { return p.port.device == path || p.name == path; });
  };
  auto add = [&](PortDescription port) {
    if (port.device.empty() || known(port.device)) return;
    std::string stable = source.StableName(port.device);
    listed.push_back({stable.empty() ? port.device : std::move(stable), std::move(port), {}});
  };
  for (PortDescription& port : found) add(std::move(port));
  // A device a KORVEL_COMn variable names is reachable whether or not the
  // system counts it as a serial port (a pseudo-terminal, a link to one),
  // where this system's COM names honour the variables (not on Windows,
  // whose COM names are its own).
  for (int n = 1; n <= kComNames; ++n) {
    const std::string variable = "KORVEL_COM" + std::to_string(n);
    const char* device = std::getenv(variable.c_str());
    if (device == nullptr || *device == '\0' || ResolvePortDevice("COM" + std::to_string(n)) != device) continue;
    PortDescription named;
    named.device = device;
    add(std::move(named));
  }
  // A COM name reaches a port whose device (a path on POSIX, Windows' own
  // "COMn") opens the same device as it does.
  for (int n = 1; n <= kComNames; ++n) {
    const std::string com = "COM" + std::to_string(n);
    const std::string device = ResolvePortDevice(com);
    for (ListedPort& port : listed)
      if (ResolvePortDevice(port.port.device) == device || port.name == device) port.reachedBy.push_back(com);
  }
  std::stable_sort(listed.begin(), listed.end(), [](const ListedPort& a, const ListedPort& b) {
    const int ra = TransportRank(a.port.transport), rb = TransportRank(b.port.transport);
    if (ra != rb) return ra < rb;
    return NaturalLess(a.port.device, b.port.device);
  });
  return listed;
}

std::string PortMenuText(const ListedPort& port) {
  std::string text = port.port.device;
  if (!port.port.description.empty()) text += " — " + OnOneLine(port.port.description);
  if (const std::string ids = UsbIds(port.port); !ids.empty()) text += " (" + ids + ")";
  return text;
}

std::string PortLine(const ListedPort& port) {
  // Tab-separated like `channels`; "-" stands for a field the system does not tell.
  auto field = [](const std::string& text) { return text.empty() ? std::string("-") : OnOneLine(text); };
  return field(port.name) + "\t" + field(port.port.device) + "\t" + TransportName(port.port.transport) + "\t" +
         field(port.port.description) + "\t" + field(UsbIds(port.port)) + "\t" + field(JoinedComNames(port));
}

std::string PortJson(const ListedPort& port) {
  const PortDescription& p = port.port;
  std::string reached = "[";
  for (const std::string& com : port.reachedBy) reached += (reached.size() > 1 ? ", " : "") + JsonString(com);
  reached += "]";
  return "{\"name\": " + JsonString(port.name) + ", \"device\": " + JsonString(p.device) +
         ", \"transport\": " + JsonString(TransportName(p.transport)) +
         ", \"description\": " + JsonOrNull(p.description) +
         ", \"vendor_id\": " + (p.usbVendor ? JsonString(Hex4(*p.usbVendor)) : "null") +
         ", \"product_id\": " + (p.usbProduct ? JsonString(Hex4(*p.usbProduct)) : "null") +
         ", \"manufacturer\": " + JsonOrNull(p.manufacturer) + ", \"product\": " + JsonOrNull(p.product) +
         ", \"serial_number\": " + JsonOrNull(p.serialNumber) + ", \"reached_by\": " + reached + "}";
}

}  // namespace korvel
