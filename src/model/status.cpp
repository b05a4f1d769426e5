#include "status.h"

namespace korvel {

Status Status::FromError(FailureKind kind, const std::string& what, const std::string& subject, int error) {
  return {kind, what + " \"" + subject + "\": " + SystemReason(error)};
}

}  // namespace korvel
