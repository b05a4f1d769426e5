#include "command_streams.h"

#include "model/document_commands.h"
#include "model/kov_document.h"

namespace korvel::cli {

void WriteLine(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

int Fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "korvel-cli: %s\n", message.c_str());
  std::fflush(err);
  return kFailure;
}

bool Report(const Status& result, std::FILE* err) {
  if (!result) Fail(err, result.message);
  return static_cast<bool>(result);
}

Answer ErrorStreamPrompter::Ask(const Prompt& prompt) {
  if (prompt.icon == Icon::Information) {
    std::fprintf(err_, "korvel-cli: warning: %s\n", prompt.text.c_str());
    std::fflush(err_);
  } else {
    Fail(err_, prompt.detail.empty() ? prompt.text : prompt.text + " " + prompt.detail);
  }
  return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

bool OpenChannelFile(CKovDoc& document, const std::string& path, std::FILE* err) {
  ErrorStreamPrompter prompter(err);
  return DocumentCommands(document, prompter).Open(path);
}

}  // namespace korvel::cli
