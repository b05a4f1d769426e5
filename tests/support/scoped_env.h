#pragma once
// Sets an environment variable (or unsets it) for the life of the object.
// Header-only.

#include <cstdlib>
#include <optional>
#include <string>

namespace korvel::test {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name), old_(Get(name)) { Set(value); }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  static std::optional<std::string> Get(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
    // Windows' C library has one call for both; an empty value unsets.
    ::_putenv_s(name_, value ? value->c_str() : "");
#else
    value ? ::setenv(name_, value->c_str(), 1) : ::unsetenv(name_);
#endif
  }
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace korvel::test
