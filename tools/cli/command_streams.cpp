#include "command_streams.h"

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

bool OpenChannelFile(CKovDoc& document, const std::string& path, std::FILE* err) {
  if (!Report(document.OnOpenDocument(path), err)) return false;
  if (!document.OpenNotice().empty()) std::fprintf(err, "korvel-cli: warning: %s\n", document.OpenNotice().c_str());
  document.FillFromImage();
  return true;
}

}  // namespace korvel::cli
