#pragma once
// The user guide shown by Help Topics, Help and context help.

#include <QDialog>
#include <QTextBrowser>

namespace korvel {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the guide at the named section ("" for its beginning).
  void ShowTopic(const QString& anchor);
  QTextBrowser& Browser() { return *browser_; }

 private:
  QTextBrowser* browser_;
};

// Anchors of the guide's sections.
inline constexpr const char* kTopicContents = "";
inline constexpr const char* kTopicChannels = "channels";
inline constexpr const char* kTopicFiles = "files";

}  // namespace korvel
