#pragma once
// Shared pieces of the form view tests: a prompter that records what it was
// asked, and a shown view over a document with access to its parts.

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "editor/kov_view.h"
#include "editor/type_settings_bar.h"
#include "model/kov_document.h"
#include "model/prompter.h"
#include "scripted_prompter.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace korvel::test {

// Writes one channel record from its 16 bytes.
void SetRecord(MemoryImage& image, int channel, const std::array<std::uint8_t, 16>& bytes);

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  ChannelGrid& Grid() const;
  TypeSettingsBar& Bar() const;
  QLineEdit* FrequencyBox() const;
  QComboBox* ToneChooser() const;
  QComboBox* OptionChooser(int column) const;
  // Replaces the document's image and runs the initial update, as Open does.
  void Open(const MemoryImage& image);

  CKovDoc document;
  ScriptedPrompter prompter;
  std::unique_ptr<CKovView> view;
};

}  // namespace korvel::test
