// korvel-radiosim: a simulated radio on a pseudo-terminal, for tests and
// benchmarks of the clone transfer and the test exchange. Prints the device it serves as the first
// line of standard output, then serves until SIGINT or SIGTERM.

#include <signal.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "model/channel_file.h"
#include "model/memory_image.h"
#include "model/settings_block.h"
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

bool ParseShortReply(const std::string& text, RadioFaults* faults) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return false;
  try {
    std::size_t usedBlock = 0, usedLength = 0;
    const int block = std::stoi(text.substr(0, colon), &usedBlock);
    const int length = std::stoi(text.substr(colon + 1), &usedLength);
    if (usedBlock != colon || usedLength != text.size() - colon - 1) return false;
    if (block < 0 || block >= kBlockCount || length < 0 || length > 11) return false;
    faults->shortReplyBlock = block;
    faults->shortReplyLength = length;
    return true;
  } catch (const std::exception&) {
    return false;
  }
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
  std::optional<int> identLength, nakWrite, badReadAck;
  app.add_option("--image", imagePath, "Channel data file (.sin) the radio's memory starts from (default: a New image)")
      ->check(CLI::ExistingFile);
  app.add_option("--save", savePath, "Save the memory here after each complete write and at exit");
  app.add_option("--type", typeText, "Radio type byte of the ident reply, e.g. 0x38 (default: memory byte 0x81B)");
  app.add_option("--link", linkPath, "Make a symbolic link to the device here");
  app.add_flag("--fast", fast, "Do not pace the line like 9600 baud");
  app.add_option("--log", logPath, "Log the wire traffic in hex with time stamps");
  app.add_flag("--silent", faults.silent, "Never answer");
  app.add_option("--stray", faults.strayBytes, "Stray bytes before every greeting acknowledgement")
      ->check(CLI::Range(0, 16));
  app.add_option("--ident-length", identLength, "Bytes of the ident reply (0..7)")->check(CLI::Range(0, 7));
  app.add_flag("--bad-handshake-ack", faults.badHandshakeAck,
               "Answer the acknowledgement of the ident reply with a wrong byte");
  app.add_option("--short-reply", shortReply, "K:N: answer read block K with N bytes (N 0..11)");
  app.add_option("--nak-write", nakWrite, "Neither store nor acknowledge write block K")
      ->check(CLI::Range(0, kBlockCount - 1));
  app.add_option("--bad-read-ack", badReadAck, "Answer the acknowledgement of read block K wrongly")
      ->check(CLI::Range(0, kBlockCount - 1));
  const std::map<std::string, TestPoint> points = {
      {"command", TestPoint::kCommand}, {"frequency", TestPoint::kFrequency}, {"parameters", TestPoint::kParameters}};
  app.add_option("--no-test-ack", faults.missingTestAck,
                 "Leave out the 0x48 after a test command's command, frequency or parameters part")
      ->transform(CLI::CheckedTransformer(points));
  app.add_option("--bad-test-ack", faults.wrongTestAck,
                 "Answer a test command's command, frequency or parameters part with a wrong byte")
      ->transform(CLI::CheckedTransformer(points));
  app.add_option("--hang-up-at", faults.hangUpAtBlock,
                 "Hang up the line when block K is asked for, as a pulled cable does (the simulator then ends)")
      ->check(CLI::Range(0, kBlockCount - 1));
  app.add_option("--corrupt-byte", faults.corruptStoredByte,
                 "Store the byte at memory address ADDR (0..2111, or 0x0..0x83F) with its lowest bit flipped "
                 "whenever it is written")
      ->check(CLI::Range(std::size_t{0}, kImageSize - 1));
  app.add_option("--hold", holdDevice, "Only hold DEVICE exclusively until killed");
  CLI11_PARSE(app, argc, argv);

  if (!holdDevice.empty()) return HoldDevice(holdDevice);

  faults.identLength = identLength;
  faults.nakWriteBlock = nakWrite;
  faults.badReadAckBlock = badReadAck;
  if (!shortReply.empty() && !ParseShortReply(shortReply, &faults)) {
    std::cerr << "korvel-radiosim: --short-reply wants BLOCK:LENGTH, block 0..263, length 0..11\n";
    return 2;
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
  if (!logPath.empty() && !log.Open(logPath, &error)) {
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
