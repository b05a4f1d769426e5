#include "port_holder.h"

namespace korvel::radiosim {

bool PortHolder::Hold(const std::string& device, std::string* error) {
  port_.Close();
  if (port_.Open(device, PortConfig{})) return true;
  if (error) *error = device + ": " + port_.LastError();
  return false;
}

}  // namespace korvel::radiosim
