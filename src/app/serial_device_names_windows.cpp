#include <windows.h>

#include "app/serial_device_names.h"
#include "model/windows_text.h"

namespace korvel {

const char* OtherPortLabel() { return "Serial &port (a name such as COM5, or a device path):"; }

// Windows lists the serial ports present, by their COM names, as the values
// of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM; it is made anew at
// every start and as ports come and go.
std::vector<std::string> SerialDeviceNames() {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return names;
  DWORD longestName = 0, longestData = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &longestData, nullptr, nullptr) == ERROR_SUCCESS) {
    std::wstring name(longestName + 1, L'\0');
    std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      DWORD type = 0;
      const LONG read = ::RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data.data()), &dataBytes);
      if (read != ERROR_SUCCESS) break;
      if (type != REG_SZ) continue;
      // The data need not end in a terminator.
      std::wstring port(data.data(), dataBytes / sizeof(wchar_t));
      while (!port.empty() && port.back() == L'\0') port.pop_back();
      if (!port.empty()) names.push_back(windows::Utf8(port));
    }
  }
  ::RegCloseKey(key);
  return names;
}

}  // namespace korvel
