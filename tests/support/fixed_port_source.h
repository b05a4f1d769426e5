#pragma once
// A PortSource that lists a fixed set of ports, in the order given, and the
// stable names it is told. Header-only; a test using it links korvel_link.

#include <map>
#include <string>
#include <vector>

#include "link/serial_port_list.h"

namespace korvel::test {

class FixedPortSource final : public PortSource {
 public:
  FixedPortSource(std::vector<PortDescription> ports = {}, std::map<std::string, std::string> stableNames = {})
      : ports_(std::move(ports)), stableNames_(std::move(stableNames)) {}
  std::vector<PortDescription> Ports() override { return ports_; }
  std::string StableName(const std::string& device) override {
    const auto found = stableNames_.find(device);
    return found == stableNames_.end() ? std::string() : found->second;
  }

 private:
  std::vector<PortDescription> ports_;
  std::map<std::string, std::string> stableNames_;
};

}  // namespace korvel::test
