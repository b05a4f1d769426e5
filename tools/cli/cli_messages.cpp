// How korvel-cli words a refused command line and a failed operation.

#include <charconv>
#include <iostream>

#include "cli_commands.h"

namespace korvel::cli {

namespace {
constexpr int kMaxRetries = 1000;
}

CLI::Validator RetryCount() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        int value = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size() || value < 0 || value > kMaxRetries)
          return "must be a whole number from 0 to " + std::to_string(kMaxRetries);
        return {};
      },
      "0.." + std::to_string(kMaxRetries));
}

bool Report(const Status& result) {
  if (!result) std::cerr << "korvel-cli: " << result.message << '\n';
  return static_cast<bool>(result);
}

std::string FailureMessage(const CLI::App* app, const CLI::Error& error) {
  std::string message = CLI::FailureMessage::simple(app, error);
  const std::string what = error.what();
  // A name such as "-radio.sin" looks like an option to the parser.
  const bool fileMissing = what.find("FILE is required") != std::string::npos;
  const bool dashArgument = what.find("not expected: -") != std::string::npos ||
                            what.find("extras: -") != std::string::npos;
  if (fileMissing || dashArgument)
    message += "A file name that begins with '-' goes after --, e.g. korvel-cli write --port COM1 -- -radio.sin\n";
  return message;
}

}  // namespace korvel::cli
