// korvel-radiosim: a simulated radio on a pseudo-terminal, for tests and
// benchmarks of the clone transfer and the test exchange. Prints the device it serves as the first
// line of standard output, then serves until SIGINT or SIGTERM.

#include <signal.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "model/channel_file.h"
#include "model/memory_image.h"
#include "model/settings_block.h"
#include "fault_options.h"
#include "korvel_version.h"
#include "port_holder.h"
#include "pty_server.h"
#include "radio_protocol.h"
#include "wire_log.h"

namespace {

using namespace korvel;
using namespace korvel::radiosim;

PtyServer* gServer = nullptr;

void OnStopSignal(int) {
  if (gServer) gServer->RequestStop();
}

void InstallStopHandlers() {
  struct sigaction action{};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// --hold: keep the device until told to stop.
int HoldDevice(const std::string& device) {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  PortHolder holder;
  std::string error;
  if (!holder.Hold(device, &error)) {
    std::cerr << "korvel-radiosim: " << error << '\n';
    return 1;
  }
  std::cout << device << std::endl;
  int signal = 0;
  sigwait(&stopSignals, &signal);
  return 0;
}

bool ParseByte(const std::string& text, std::uint8_t* value) {
  try {
    std::size_t used = 0;
    const unsigned long v = std::stoul(text, &used, 0);
    if (used != text.size() || v > 0xFF) return false;
    *value = static_cast<std::uint8_t>(v);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// A fault option whose value ParseFaultOption checks and takes; `shown` is
// what the help says of the values after the type.
void AddFault(CLI::App& app, RadioFaults& faults, const std::string& name, const std::string& type,
              const std::string& shown, const std::string& help) {
  app.add_option("--" + name, help)
      ->type_name(type)
      ->check(CLI::Validator(
          [&faults, name](std::string& value) { return ParseFaultOption(name, value, faults).value_or(""); },
          shown));
}

std::string InRange(const char* type, std::size_t max) {
  return std::string(type) + " in [0 - " + std::to_string(max) + "]";
}

bool Save(const std::string& path, const MemoryImage& image) {
  const Status saved = SaveChannelFile(path, image);
  if (!saved) std::cerr << "korvel-radiosim: " << path << ": " << saved.message << '\n';
  return static_cast<bool>(saved);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Simulated radio for the clone transfer and the test exchange, served on a pseudo-terminal", "korvel-radiosim"};
  std::string imagePath, savePath, linkPath, logPath, typeText, shortReply, holdDevice;
  bool fast = false;
  RadioFaults faults;
  app.set_version_flag("--version", std::string("korvel-radiosim ") + kVersion, "Print the version and exit");
  app.add_option("--image", imagePath, "Channel data file (.sin) the radio's memory starts from (default: a New image)")
      ->check(CLI::ExistingFile);
  app.add_option("--save", savePath, "Save the memory here after each complete write and at exit");
  app.add_option("--type", typeText, "Radio type byte of the ident reply, e.g. 0x38 (default: memory byte 0x81B)");
  app.add_option("--link", linkPath, "Make a symbolic link to the device here");
  app.add_flag("--fast", fast, "Do not pace the line like 9600 baud");
  bool logAppend = false, logReplace = false;
  app.add_option("--log", logPath,
                 "Log the wire traffic in hex with time stamps into a new file (never through a symbolic link)");
  auto* append = app.add_flag("--log-append", logAppend, "Add to the --log file when it exists");
  app.add_flag("--log-replace", logReplace, "Start the --log file anew when it exists")->excludes(append);
  app.add_flag("--silent", faults.silent, "Never answer");
  const std::size_t lastBlock = kBlockCount - 1;
  AddFault(app, faults, "stray", "INT", InRange("INT", 16), "Stray bytes before every greeting acknowledgement");
  AddFault(app, faults, "ident-length", "INT", InRange("INT", 7), "Bytes of the ident reply (0..7)");
  app.add_flag("--bad-handshake-ack", faults.badHandshakeAck,
               "Answer the acknowledgement of the ident reply with a wrong byte");
  app.add_option("--short-reply", shortReply, "K:N: answer read block K with N bytes (N 0..11)");
  AddFault(app, faults, "nak-write", "INT", InRange("INT", lastBlock), "Neither store nor acknowledge write block K");
  AddFault(app, faults, "bad-read-ack", "INT", InRange("INT", lastBlock),
           "Answer the acknowledgement of read block K wrongly");
  AddFault(app, faults, "no-test-ack", "ENUM", kTestPointValues,
           "Leave out the 0x48 after a test command's command, frequency or parameters part");
  AddFault(app, faults, "bad-test-ack", "ENUM", kTestPointValues,
           "Answer a test command's command, frequency or parameters part with a wrong byte");
  AddFault(app, faults, "hang-up-at", "INT", InRange("INT", lastBlock),
           "Hang up the line when block K is asked for, as a pulled cable does (the simulator then ends)");
  AddFault(app, faults, "corrupt-byte", "UINT", InRange("UINT", kImageSize - 1),
           "Store the byte at memory address ADDR (0..2111, or 0x0..0x83F) with its lowest bit flipped "
           "whenever it is written");
  AddFault(app, faults, "latency", "MS", InRange("MS", 1000),
           "Hold every reply this many milliseconds before writing it, as a USB adapter's latency timer does");
  app.add_option("--hold", holdDevice, "Only hold DEVICE exclusively until killed");
  CLI11_PARSE(app, argc, argv);

  if (!holdDevice.empty()) return HoldDevice(holdDevice);

  if (!shortReply.empty()) {
    if (const auto refused = ParseFaultOption("short-reply", shortReply, faults)) {
      std::cerr << "korvel-radiosim: " << *refused << '\n';
      return 2;
    }
  }

  MemoryImage image = NewImage();
  if (!imagePath.empty()) {
    const Status loaded = LoadChannelFile(imagePath, image);
    if (!loaded) {
      std::cerr << "korvel-radiosim: " << imagePath << ": " << loaded.message << '\n';
      return 1;
    }
  }
  std::uint8_t type = image[settings::kRadioType];
  if (!typeText.empty() && !ParseByte(typeText, &type)) {
    std::cerr << "korvel-radiosim: --type wants a byte, e.g. 0x38\n";
    return 2;
  }

  WireLog log;
  std::string error;
  const ExistingLog existing = logAppend ? ExistingLog::kAppend : logReplace ? ExistingLog::kReplace : ExistingLog::kRefuse;
  if (!logPath.empty() && !log.Open(logPath, existing, &error)) {
    std::cerr << "korvel-radiosim: " << error << '\n';
    return 1;
  }

  RadioProtocol protocol(image, type, faults);
  if (!savePath.empty())
    protocol.SetOnImageWritten([&](const MemoryImage& written) { Save(savePath, written); });

  PtyServer server(protocol, ServerOptions{!fast, linkPath, log.IsOpen() ? &log : nullptr});
  if (!server.Open(&error)) {
    std::cerr << "korvel-radiosim: " << error << '\n';
    return 1;
  }
  gServer = &server;
  InstallStopHandlers();
  std::cout << server.DevicePath() << std::endl;

  const bool served = server.Run(&error);
  gServer = nullptr;
  if (!served) std::cerr << "korvel-radiosim: " << error << '\n';
  const bool saved = savePath.empty() || Save(savePath, protocol.Image());
  return served && saved ? 0 : 1;
}
