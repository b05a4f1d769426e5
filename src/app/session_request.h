#pragma once
// A desktop session's request to end (logging out, shutting down), as the
// window answers it: whether the user may be asked now, and refusing the
// end. QtSessionRequest is QGuiApplication's session manager behind it.

#include <QSessionManager>

namespace korvel {

class SessionRequest {
 public:
  virtual ~SessionRequest() = default;
  // True when the user may be asked now; the session then waits until
  // Release.
  virtual bool AllowsInteraction() = 0;
  virtual void Release() = 0;
  // The session does not end.
  virtual void Cancel() = 0;
};

class QtSessionRequest : public SessionRequest {
 public:
  explicit QtSessionRequest(QSessionManager& manager) : manager_(manager) {}
  bool AllowsInteraction() override { return manager_.allowsInteraction(); }
  void Release() override { manager_.release(); }
  void Cancel() override { manager_.cancel(); }

 private:
  QSessionManager& manager_;
};

}  // namespace korvel
