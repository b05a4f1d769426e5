#pragma once
// The eight cell editors laid over the channel grid: the frequency edit box
// (columns 1 and 2), the tone chooser (columns 3 and 4) and one option
// chooser for each of columns 5 to 10. Created once, hidden until used.

#include <array>

class QComboBox;
class QFont;
class QLineEdit;
class QWidget;

namespace korvel {

class ChannelGrid;

class CellEditors {
 public:
  explicit CellEditors(ChannelGrid& grid) : grid_(grid) {}

  // Creates the editors as hidden children of the grid's cell area with the
  // given font and fills their lists. Only the first call does anything.
  void Create(const QFont& font);
  bool Created() const { return frequency_ != nullptr; }

  QLineEdit* FrequencyBox() const { return frequency_; }
  QComboBox* ToneChooser() const { return tone_; }
  QComboBox* OptionChooser(int column) const;
  // The editor of a grid column 1..10 (nullptr for others or before Create).
  QWidget* EditorOf(int column) const;
  bool IsOptionChooser(const QWidget* widget) const;
  // Every editor, in creation order.
  std::array<QWidget*, 8> All() const;

  // The editor now shown, if any.
  QWidget* Shown() const;
  // Hides every editor; the grid takes the focus if an editor had it.
  void HideAll();
  void Hide(QWidget* editor);

 private:
  ChannelGrid& grid_;
  QLineEdit* frequency_ = nullptr;
  QComboBox* tone_ = nullptr;
  std::array<QComboBox*, 6> options_{};  // columns 5..10
};

}  // namespace korvel
