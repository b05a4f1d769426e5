// korvel-cli: the command-line side of Korvel. This file declares the
// command line (options, help texts, validation) and fills each command's
// options; the commands themselves are library functions. Each command's
// callback sets `status`; CLI11 reports usage errors itself.

#include <CLI/CLI.hpp>
#include <charconv>
#include <string>
#include <vector>

#include "channel_list_commands.h"
#include "console.h"
#include "csv_commands.h"
#include "features_command.h"
#include "file_commands.h"
#include "korvel_version.h"
#include "model/backup_store.h"
#include "model/channel_sort.h"
#include "model/feature_fields.h"
#include "ports_command.h"
#include "serial_commands.h"
#ifdef KORVEL_HAVE_PRINT
#include "print_command.h"
#endif

namespace korvel::cli {
namespace {

constexpr int kMaxRetries = 1000;
// What --port takes, in every command's help: on Windows its own COM names.
#ifdef _WIN32
constexpr const char* kPortHelp = "A COM port: COM1, COM2, ... (`korvel-cli ports` lists those present)";
#else
constexpr const char* kPortHelp =
    "COM1..COM4, a device path, or a name `korvel-cli ports` lists (a /dev/serial/by-id/ link)";
#endif

// --retries: how many Retry answers a script gives, a whole number 0..1000.
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

// --rx, --tx: a frequency as the frequency box reads its text.
CLI::Validator FrequencyInMhz() {
  return CLI::Validator([](std::string& text) { return AlignFrequencyRefusal(text); }, "MHZ");
}

// The message for a command line CLI11 refuses, with a hint where a file
// name that begins with a dash was taken for an option.
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

// Every command's options. CLI11 keeps pointers to them, and the callbacks
// run during parsing, so they live as long as the App.
struct CommandLine {
  NewOptions newFile;
  ResaveOptions resave;
  ChannelsOptions channels;
  SettingsOptions settings;
  DiffOptions diff;
  ExportCsvOptions exportCsv;
  std::string exportLayout = "korvel";
  ImportCsvOptions importCsv;
  SortOptions sort;
  InsertChannelsOptions insertChannels;
  FeaturesOptions features{.in = {}, .out = {}, .values = decltype(FeaturesOptions::values)(FeatureFields().size())};
  RadioOptions read, write;
  FleetOptions fleet;
  AlignOptions align;
  PortsOptions ports;
#ifdef KORVEL_HAVE_PRINT
  PrintOptions print;
#endif
  int status = 0;
};

void AddFileCommands(CLI::App& app, CommandLine& c) {
  auto* cmdNew = app.add_subcommand("new", "Write the channel data file that File New followed by Save writes");
  cmdNew->add_option("FILE", c.newFile.file, "Channel data file to write (.sin)")->required();
  cmdNew->callback([&c] { c.status = NewChannelFile(c.newFile, {}); });

  auto* cmdResave =
      app.add_subcommand("resave", "Open IN and save it as OUT, as the window would (grid fill, then collection)");
  cmdResave->add_option("IN", c.resave.in, "Channel data file to read")->required();
  cmdResave->add_option("OUT", c.resave.out, "Channel data file to write")->required();
  cmdResave->callback([&c] { c.status = ResaveChannelFile(c.resave, {}); });

  auto* cmdChannels = app.add_subcommand(
      "channels", "List the channels as the grid shows them: number and ten texts, tab-separated");
  cmdChannels->add_option("FILE", c.channels.file, "Channel data file to read")->required();
  cmdChannels->add_flag("--all", c.channels.all, "List all 128 channels, empty ones too");
  cmdChannels->callback([&c] { c.status = ListChannels(c.channels, {}); });

  auto* cmdSettings =
      app.add_subcommand("settings", "Show the type settings and the optional features of a channel data file");
  cmdSettings->add_option("FILE", c.settings.file, "Channel data file to read")->required();
  cmdSettings->callback([&c] { c.status = ShowSettings(c.settings, {}); });

  auto* cmdDiff = app.add_subcommand(
      "diff", "List what differs between two channel data files, one line each: channel texts as the grid shows "
              "them, settings as `settings` prints them, and a count of the other bytes. Exit status 0 when they "
              "are equal, 1 when they differ, 2 when a file cannot be read");
  cmdDiff->add_option("A", c.diff.left, "Channel data file (.sin)")->required();
  cmdDiff->add_option("B", c.diff.right, "Channel data file (.sin)")->required();
  cmdDiff->callback([&c] { c.status = DiffChannelFiles(c.diff, {}); });

  auto* cmdExport =
      app.add_subcommand("export-csv", "Write the channels in use of a channel data file as a CSV channel list");
  cmdExport->add_option("FILE", c.exportCsv.in, "Channel data file to read (.sin)")->required();
  cmdExport->add_option("-o,--output", c.exportCsv.out, "CSV file to write")->required();
  cmdExport
      ->add_option("--layout", c.exportLayout,
                   "korvel: this program's own columns (the default); interchange: the Location,Name,Frequency,... "
                   "layout, one line per memory, in which channel lists are exchanged between radios of other makes")
      ->check(CLI::IsMember({"korvel", "interchange"}));
  cmdExport->callback([&c] {
    c.exportCsv.layout = c.exportLayout == "interchange" ? ChannelLayout::Interchange : ChannelLayout::Korvel;
    c.status = ExportCsv(c.exportCsv, {});
  });

  auto* cmdImport = app.add_subcommand(
      "import-csv", "Set the channels a CSV channel list names in a channel data file, and save it as -o; "
                    "any refused cell writes nothing. The list is in this program's layout or, when its header "
                    "names a Location column, in the interchange layout");
  cmdImport->add_option("FILE", c.importCsv.in, "Channel data file to read (.sin)")->required();
  cmdImport->add_option("CSV", c.importCsv.csv, "CSV channel list to read")->required();
  cmdImport->add_option("-o,--output", c.importCsv.out, "Channel data file to write")->required();
  cmdImport->add_flag("--replace", c.importCsv.replaceAll,
                      "Empty every channel first, so only the listed ones stay in use");
  cmdImport->callback([&c] { c.status = ImportCsv(c.importCsv, {}); });

  auto* cmdFeatures = app.add_subcommand(
      "features", "Set optional features as the Optional Features dialog's OK stores them; every other byte is copied");
  cmdFeatures->add_option("FILE", c.features.in, "Channel data file to read (.sin)")->required();
  cmdFeatures->add_option("-o,--output", c.features.out, "Channel data file to write")->required();
  for (std::size_t i = 0; i < FeatureFields().size(); ++i) {
    cmdFeatures->add_option("--" + std::string(FeatureFields()[i].key), c.features.values[i],
                            FeatureFields()[i].values);
  }
  cmdFeatures->callback([&c] { c.status = SetFeatures(c.features, {}); });
}

void AddChannelListCommands(CLI::App& app, CommandLine& c) {
  auto* cmdSort = app.add_subcommand(
      "sort", "Sort all channels in use by one column (Edit > Sort Channels...) and save as -o; empty channels "
              "go after them, equal values keep their order, and each channel moves with all its bytes");
  cmdSort->add_option("FILE", c.sort.in, "Channel data file to read (.sin)")->required();
  cmdSort->add_option("-o,--output", c.sort.out, "Channel data file to write")->required();
  cmdSort->add_option("--by", c.sort.by, "Column, named as in the CSV header: " + SortColumnList())->required();
  cmdSort->add_flag("--descending", c.sort.descending, "Largest value first");
  cmdSort->callback([&c] { c.status = SortChannelFile(c.sort, {}); });

  auto* cmdInsert = app.add_subcommand(
      "insert-channels", "Insert a standard channel set or a series into empty channels "
                         "(Edit > Insert Standard Channels...) and save as -o; without room nothing is written");
  cmdInsert->add_option("FILE", c.insertChannels.in, "Channel data file to read (.sin)")->required();
  cmdInsert->add_option("-o,--output", c.insertChannels.out, "Channel data file to write")->required();
  auto* set = cmdInsert->add_option("--set", c.insertChannels.set, "pmr446 (16), frs (22) or lpd433 (69 channels)");
  auto* series = cmdInsert->add_option(
      "--series", c.insertChannels.series,
      "START,STEP,COUNT[,OFFSET]: start in MHz, step in kHz (a multiple of 5 or 6.25), channels, transmit offset "
      "in MHz (+ or -); e.g. 145.6,12.5,8,-0.6");
  set->excludes(series);
  cmdInsert->add_option("--at", c.insertChannels.at,
                        "First channel, 1..128 (default: the first run of empty channels the set fits)")
      ->check(CLI::Range(1, 128));
  cmdInsert->add_option("--rx-tone", c.insertChannels.rxTone, "Receive tone of every channel, e.g. 88.5, D023N")
      ->capture_default_str();
  cmdInsert->add_option("--tx-tone", c.insertChannels.txTone, "Transmit tone of every channel")->capture_default_str();
  cmdInsert->callback([&c] { c.status = InsertChannels(c.insertChannels, {}); });
}

void AddAnswerFlags(CLI::App* command, PromptAnswers& answers) {
  command->add_option("--retries", answers.communicationRetries,
                      "Answer Retry this many times to \"Communication Error\" before Cancel")
      ->check(RetryCount());
}

void AddWriteFlags(CLI::App* command, PromptAnswers& answers, bool& verify) {
  command->add_flag("--verify", verify, "Read the radio back after the write and report every difference");
  command->add_flag("--accept-type-mismatch", answers.acceptTypeMismatch,
                    "Answer OK to \"Radio Type are not match\" instead of Cancel");
  command->add_flag("--accept-long-file", answers.acceptLongFile,
                    "Write a file longer than 2112 bytes (its first 2112) without asking");
  AddAnswerFlags(command, answers);
}

void AddRadioCommands(CLI::App& app, CommandLine& c) {
  auto* cmdRead = app.add_subcommand("read", "Read the radio's memory into a channel data file (Read From Radio)");
  cmdRead->add_option("--port", c.read.port, kPortHelp)->required();
  cmdRead->add_option("-o,--output", c.read.file, "Channel data file to write (.sin)")->required();
  cmdRead->add_option("--backup-dir", c.read.backupDir,
                      "Also keep the memory read as a backup in this folder (named by date, time and radio)");
  AddAnswerFlags(cmdRead, c.read.answers);
  cmdRead->callback([&c] { c.status = ReadOnSerialPort(c.read); });

  auto* cmdWrite = app.add_subcommand("write", "Write a channel data file to the radio (Write To Radio)");
  cmdWrite->add_option("--port", c.write.port, kPortHelp)->required();
  cmdWrite->add_option("FILE", c.write.file, "Channel data file to send (.sin)")->required();
  cmdWrite->add_flag("--backup-before-write", c.write.backupBeforeWrite,
                     "First read the radio's memory and keep it as a backup; if that fails nothing is written. "
                     "The backup goes to --backup-dir, else to $XDG_DATA_HOME/Korvel/backups or "
                     "~/.local/share/Korvel/backups (here: " + BackupStore::DefaultFolder() + ")");
  cmdWrite->add_option("--backup-dir", c.write.backupDir,
                       "Folder for the backup before the write (implies --backup-before-write)");
  AddWriteFlags(cmdWrite, c.write.answers, c.write.verify);
  cmdWrite->callback([&c] { c.status = WriteOnSerialPort(c.write); });

  auto* cmdFleet = app.add_subcommand("fleet", "Program many radios with one file");
  cmdFleet->require_subcommand(1);
  auto* cmdFleetWrite = cmdFleet->add_subcommand(
      "write",
      "Write FILE to one radio per --port, all at once (one after another with --sequential); with one port, "
      "radio after radio on it, asking for the next. One line per radio goes to the --log CSV file. Exit status 0 "
      "when every radio was written (and verified) and logged; 1 when any radio failed or was not started, "
      "whatever became of the log; 3 when every radio was written but a line could not go into the log");
  cmdFleetWrite->add_option("FILE", c.fleet.file, "Channel data file to send (.sin)")->required();
  cmdFleetWrite->add_option("--port", c.fleet.ports, std::string(kPortHelp) + "; give it once per port")
      ->required()
      ->allow_extra_args(false);
  cmdFleetWrite
      ->add_option("--log", c.fleet.log,
                   "CSV log (a regular file), appended to: Time,Port,Radio,Result,Verify,Duration (s)")
      ->required();
  cmdFleetWrite->add_flag("--sequential", c.fleet.sequential, "Write the ports one after another, not at once");
  AddWriteFlags(cmdFleetWrite, c.fleet.answers, c.fleet.verify);
  cmdFleetWrite->callback([&c] { c.status = FleetWriteOnSerialPorts(c.fleet); });

  auto* cmdAlign = app.add_subcommand("align", "Send one alignment value to the radio (Test Mode's Start)");
  cmdAlign->add_option("--port", c.align.port, kPortHelp)->required();
  cmdAlign->add_option("--item", c.align.item, "Debug item")
      ->required()
      ->check(CLI::IsMember({"tx-frequency", "low-power-voltage", "squelch", "tx-power"}));
  cmdAlign->add_option("--value", c.align.value, "Alignment value")->required()->check(CLI::Range(0, 255));
  cmdAlign
      ->add_option("--rx", c.align.rx, "Receive frequency in MHz: digits and one decimal point or comma, e.g. 146.52")
      ->required()
      ->check(FrequencyInMhz());
  cmdAlign->add_option("--tx", c.align.tx, "Transmit frequency in MHz, as --rx")->required()->check(FrequencyInMhz());
  cmdAlign->add_option("--rx-tone", c.align.rxTone, "Receive tone, e.g. OFF, 88.5, D023N")->capture_default_str();
  cmdAlign->add_option("--tx-tone", c.align.txTone, "Transmit tone")->capture_default_str();
  cmdAlign->add_option("--retries", c.align.answers.testRetries,
                       "Answer Retry this many times to \" Error had happen ,need try again\" before Cancel")
      ->check(RetryCount());
  cmdAlign->callback([&c] { c.status = AlignOnSerialPort(c.align); });

  auto* cmdPorts = app.add_subcommand(
      "ports", "List the serial ports present, one a line: name (what --port takes), device, transport, "
               "description, USB vendor:product and the COM names that reach it, tab-separated. Exit status 0 "
               "also when there is none");
  cmdPorts->add_flag("--json", c.ports.json, "Print a JSON array of objects instead, for scripts");
  cmdPorts->callback([&c] { c.status = ListPorts(c.ports, {}, *MakeSystemPortSource()); });
}

#ifdef KORVEL_HAVE_PRINT
void AddPrintCommand(CLI::App& app, CommandLine& c) {
  auto* cmd = app.add_subcommand("print", "Write the five-page printout of a channel data file as a PDF");
  cmd->add_option("FILE", c.print.in, "Channel data file to read")->required()->check(CLI::ExistingFile);
  cmd->add_option("-o,--output", c.print.out, "PDF file to write")->required();
  cmd->add_option("--page-size", c.print.pageSize, "Paper size: A4 (default) or Letter")
      ->check(CLI::IsMember({"A4", "Letter"}, CLI::ignore_case));
  cmd->callback([&c] { c.status = PrintPdf(c.print, {}); });
}
#endif

}  // namespace
}  // namespace korvel::cli

int main(int argc, char** argv) {
  using namespace korvel::cli;
  CLI::App app{"Korvel command-line tool: channel data files and the radio on a serial port", "korvel-cli"};
  app.set_version_flag("--version", std::string("korvel-cli ") + korvel::kVersion, "Print the version and exit");
  app.require_subcommand(1);
  app.failure_message(FailureMessage);
  CommandLine commandLine;
  AddFileCommands(app, commandLine);
  AddChannelListCommands(app, commandLine);
  AddRadioCommands(app, commandLine);
#ifdef KORVEL_HAVE_PRINT
  AddPrintCommand(app, commandLine);
#endif
  // File names reach the commands as UTF-8 on every system.
  std::vector<std::string> arguments = CommandArguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(argument.data());
  UseUtf8Console();
  CLI11_PARSE(app, static_cast<int>(utf8Argv.size()), utf8Argv.data());
  return commandLine.status;
}
