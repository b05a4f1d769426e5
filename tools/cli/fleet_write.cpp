#include "fleet_write.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "command_streams.h"
#include "fleet_log.h"
#include "link/clone_transfer.h"
#include "link/radio_jobs.h"
#include "link/transfer_reports.h"
#include "memory_stream.h"
#include "model/number_text.h"
#include "radio_transfer.h"

namespace korvel::cli {
namespace {

// Whole lines from many threads, each after its port's name.
class PortLines {
 public:
  explicit PortLines(std::FILE* out) : out_(out) {}
  void Line(const std::string& port, const std::string& text) {
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s: %s\n", port.c_str(), text.c_str());
    std::fflush(out_);
  }

 private:
  std::mutex mutex_;
  std::FILE* out_;
};

// A radio's progress as one line per phase.
class PortEvents final : public TransferEvents {
 public:
  PortEvents(PortLines& lines, std::string port) : lines_(lines), port_(std::move(port)) {}
  void StatusText(const std::string&) override {}
  void Progress(int) override {}
  void Phase(TransferPhase phase) override { lines_.Line(port_, TransferPhaseText(phase)); }

 private:
  PortLines& lines_;
  std::string port_;
};

// The terminal prompter's answers and wording, its lines after the port's
// name: it writes into memory, and each Ask passes on what it wrote.
class PortPrompter final : public Prompter {
 public:
  PortPrompter(const PromptAnswers& answers, PortLines& lines, std::string port)
      : terminal_(answers, nullptr, memory_.File(), false),
        lines_(lines),
        port_(std::move(port)) {}
  Answer Ask(const Prompt& prompt) override {
    const Answer answer = terminal_.Ask(prompt);
    const std::string written = memory_.Text();
    const std::string text = written.substr(passed_);
    passed_ = written.size();
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = text.find('\n', start);
      lines_.Line(port_, text.substr(start, end - start));
      start = end == std::string::npos ? text.size() : end + 1;
    }
    return answer;
  }

 private:
  MemoryStream memory_;
  std::size_t passed_ = 0;
  TerminalPrompter terminal_;
  PortLines& lines_;
  std::string port_;
};

// How a radio's turn ended.
enum class RadioEnd { Succeeded, Failed, NotStarted };

struct RadioResult {
  std::string port;
  RadioEnd end = RadioEnd::NotStarted;
  std::string failure;  // why not, for the summary
};

// A transfer that did not complete: how far it got, and the port's own
// error when there is one.
std::string Unfinished(const TransferOutcome& transfer) {
  const std::string text = TransferEndText(transfer);
  return transfer.detail.empty() ? text : text + ": " + transfer.detail;
}

// The log's Verify column; "verify " before it words a failed verify read.
std::string VerifyText(const WriteJobOutcome& job) {
  if (!job.verifyRead) return "not run";
  if (!job.differences) return "failed: " + TransferEndText(*job.verifyRead);
  return job.differences->Empty() ? "match" : DifferenceCount(job.differences->Count());
}

std::string FailureText(const WriteJobOutcome& job) {
  if (job.write.result != TransferResult::Completed) return Unfinished(job.write);
  if (!job.differences) return "verify failed: " + Unfinished(*job.verifyRead);
  return "verify found " + DifferenceCount(job.differences->Count());
}

// One radio on one port: written, verified when asked for, logged.
class RadioWriter {
 public:
  RadioWriter(const FleetOptions& options, FleetSession& session, const MemoryImage& image, FleetLog& log,
              PortLines& lines)
      : options_(options), session_(session), image_(image), log_(log), lines_(lines) {}

  RadioResult Write(const std::string& port) const {
    FleetLine line = session_.openLine(port);
    PortEvents events(lines_, port);
    PortPrompter prompter(options_.answers, lines_, port);
    CloneTransfer transfer(*line.port, *line.clock, prompter, session_.cancel, events);
    const auto when = std::chrono::system_clock::now();
    WriteJobOptions jobOptions;
    jobOptions.verify = options_.verify;
    const WriteJobOutcome job = RunWriteJob(transfer, port, image_, jobOptions);
    const double seconds = std::chrono::duration<double>(job.elapsed).count();

    RadioResult result{port, job.Succeeded() ? RadioEnd::Succeeded : RadioEnd::Failed, {}};
    const std::string took = FormatFixed(seconds, 0, 1) + " s";
    const std::string radio = job.write.ident.empty() ? "radio" : job.write.ident;
    if (result.end == RadioEnd::Succeeded) {
      lines_.Line(port, radio + (options_.verify ? " written and verified in " : " written in ") + took);
    } else {
      result.failure = FailureText(job);
      lines_.Line(port, radio + " failed: " + result.failure);
      if (LeftRadioPartlyWritten(job.write)) lines_.Line(port, PartialWriteWarning(job.write));
      // Under the radio's line, the differences as a write --verify lists them.
      if (job.differences)
        for (const std::string& difference : DescribeDifferences(*job.differences)) lines_.Line(port, difference);
    }
    Log({when, port, job.write.ident, WriteResultText(job.write), VerifyText(job), seconds});
    return result;
  }

  // A port the command stopped before: its line and log row all the same.
  RadioResult NotStarted(const std::string& port) const {
    lines_.Line(port, kNotStarted);
    Log({std::chrono::system_clock::now(), port, "", kNotStarted, "not run", 0});
    return {port, RadioEnd::NotStarted, {}};
  }

 private:
  static constexpr const char* kNotStarted = "not started";

  // A line the log cannot take is said on the port's lines; the radio's
  // result stays what the radio did.
  void Log(const FleetRecord& record) const {
    if (const Status logged = log_.Append(record); !logged) lines_.Line(record.port, logged.message);
  }

  const FleetOptions& options_;
  FleetSession& session_;
  const MemoryImage& image_;
  FleetLog& log_;
  PortLines& lines_;
};

// Enter: another radio; q or the end of input: stop. (A Ctrl+C while the
// question waits stops too, once the line is ended.)
bool NextRadioConnected(FleetSession& session) {
  std::fprintf(session.err, "%s: ", kNextRadioPrompt);
  std::fflush(session.err);
  char answer[128];
  const bool answered = std::fgets(answer, sizeof answer, session.in) != nullptr;
  // A terminal echoes the answer's line end; the end of input or a script does not.
  if (!answered || !session.interactive) std::fputc('\n', session.err);
  if (!answered) return false;
  const char* p = answer;
  while (*p == ' ' || *p == '\t') ++p;
  return *p != 'q' && *p != 'Q';
}

// "4 radios: 1 written and verified, 1 failed (COM2: cancelled (131 of 264
// blocks)), 2 not started (COM3, COM4); the log could not be written: ..."
std::string Summary(const std::vector<RadioResult>& results, bool verify, const std::string& logFailure) {
  int succeeded = 0, failed = 0, notStarted = 0;
  std::string failures, unstarted;
  for (const RadioResult& r : results) {
    if (r.end == RadioEnd::Succeeded) {
      ++succeeded;
    } else if (r.end == RadioEnd::Failed) {
      ++failed;
      failures += (failures.empty() ? "" : "; ") + r.port + ": " + r.failure;
    } else {
      ++notStarted;
      unstarted += (unstarted.empty() ? "" : ", ") + r.port;
    }
  }
  std::string text = std::to_string(results.size()) + (results.size() == 1 ? " radio: " : " radios: ") +
                     std::to_string(succeeded) + (verify ? " written and verified" : " written");
  if (failed > 0) text += ", " + std::to_string(failed) + " failed (" + failures + ")";
  if (notStarted > 0) text += ", " + std::to_string(notStarted) + " not started (" + unstarted + ")";
  if (!logFailure.empty()) text += "; the log could not be written: " + logFailure;
  return text;
}

}  // namespace

int WriteFleet(const FleetOptions& options, FleetSession& session) {
  if (options.ports.empty()) return Fail(session.err, "fleet write needs at least one --port");
  if (const std::set<std::string> distinct(options.ports.begin(), options.ports.end());
      distinct.size() != options.ports.size())
    return Fail(session.err, "each --port may be given once: one radio per port at a time");
  // Everything that can be refused is, before any radio is touched.
  const std::optional<MemoryImage> image =
      ImageToSend(options.file, options.answers, session.in, session.err, session.interactive);
  if (!image) return kFailure;
  // Room for a generous line per radio: per port, or for a long run of
  // radios on the one port.
  const std::size_t room = options.ports.size() == 1 ? 64 * 1024 : 512 * options.ports.size();
  FleetLog log;
  if (const Status opened = log.Open(options.log, room); !opened) return Fail(session.err, opened.message);

  PortLines lines(session.err);
  const RadioWriter writer(options, session, *image, log, lines);
  std::vector<RadioResult> results;
  if (options.ports.size() == 1) {
    do {
      results.push_back(writer.Write(options.ports.front()));
    } while (!session.cancel.IsRaised() && NextRadioConnected(session) && !session.cancel.IsRaised());
  } else if (options.sequential) {
    for (const std::string& port : options.ports)
      results.push_back(session.cancel.IsRaised() ? writer.NotStarted(port) : writer.Write(port));
  } else {
    results.resize(options.ports.size());
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < options.ports.size(); ++i)
      threads.emplace_back([&, i] { results[i] = writer.Write(options.ports[i]); });
    threads.clear();  // joins them all
  }

  std::fprintf(session.out, "%s\n", Summary(results, options.verify, log.FirstFailure()).c_str());
  std::fflush(session.out);
  for (const RadioResult& r : results)
    if (r.end != RadioEnd::Succeeded) return kFailure;
  return log.FirstFailure().empty() ? 0 : kLogNotWritten;
}

}  // namespace korvel::cli
