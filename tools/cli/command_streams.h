#pragma once
// What every korvel-cli command shares: the streams it writes to, the exit
// status of a failure, and how a failed operation and an opened channel
// data file are reported.

#include <cstdio>
#include <string>

#include "model/prompter.h"
#include "model/status.h"

namespace korvel {
class CKovDoc;
}

namespace korvel::cli {

// Exit status of a command that failed: its message is on the error stream.
inline constexpr int kFailure = 1;

// Where a command writes: what it lists on `out`; warnings, failures and
// progress on `err`. The program passes standard output and error.
struct CommandStreams {
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

// Writes the text as it is (any bytes) and a line end.
void WriteLine(std::FILE* stream, const std::string& text);
// Prints "korvel-cli: " and the message on err; kFailure.
int Fail(std::FILE* err, const std::string& message);
// Prints a failure's message on err; whether result is a success.
bool Report(const Status& result, std::FILE* err);

// The document commands' messages on err, for commands nobody answers:
// a notice is a warning, anything else a failure; a question is Cancel.
class ErrorStreamPrompter final : public Prompter {
 public:
  explicit ErrorStreamPrompter(std::FILE* err) : err_(err) {}
  Answer Ask(const Prompt& prompt) override;

 private:
  std::FILE* err_;
};

// Opens the file as File Open in the window does: the document loads it
// and the grid fill puts it into the working copy. False (reported on err)
// when it fails; a file longer than an image gets a warning.
bool OpenChannelFile(CKovDoc& document, const std::string& path, std::FILE* err);

}  // namespace korvel::cli
