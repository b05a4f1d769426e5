#include "editor/cell_editors.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QValidator>

#include "editor/channel_grid.h"
#include "model/channel_columns.h"
#include "model/frequency_check.h"
#include "model/tone_table.h"

namespace korvel {
namespace {

// The frequency edit box holds digits and one decimal separator, and does
// not scroll its text: typing stops where the text would run past the box's
// right edge.
class FrequencyBoxValidator : public QValidator {
 public:
  explicit FrequencyBoxValidator(QLineEdit* box) : QValidator(box), box_(box) {}
  State validate(QString& input, int&) const override {
    if (!IsFrequencyTyping(input.toStdString())) return Invalid;
    const int room = box_->contentsRect().width() - 2 * kTextMargin;
    return box_->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
  }

 private:
  static constexpr int kTextMargin = 2;
  QLineEdit* box_;
};

}  // namespace

void CellEditors::Create(const QFont& font) {
  if (Created()) return;
  QWidget* area = grid_.viewport();

  frequency_ = new QLineEdit(area);
  frequency_->setObjectName(QStringLiteral("frequencyEdit"));
  frequency_->setFrame(false);
  frequency_->setValidator(new FrequencyBoxValidator(frequency_));
  frequency_->setAccessibleName(QStringLiteral("Frequency"));

  // Option choosers in the order of columns 8, 7, 6, 5, 10, 9, then the tone chooser.
  for (int column : {8, 7, 6, 5, 10, 9}) {
    auto* chooser = new QComboBox(area);
    chooser->setObjectName(QStringLiteral("optionChooser%1").arg(column));
    for (std::string_view entry : OptionEntries(column)) chooser->addItem(QString::fromUtf8(entry));
    options_[static_cast<std::size_t>(column - kFirstOptionColumn)] = chooser;
  }
  tone_ = new QComboBox(area);
  tone_->setObjectName(QStringLiteral("toneChooser"));
  tone_->setEditable(true);
  tone_->setInsertPolicy(QComboBox::NoInsert);
  // What is typed completes to the first tone it begins (ignoring case).
  auto* completer = new QCompleter(tone_->model(), tone_);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  completer->setCompletionMode(QCompleter::InlineCompletion);
  tone_->setCompleter(completer);
  tone_->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  const ToneTable& tones = ToneTable::Instance();
  for (int i = 0; i < tones.Count(); ++i) tone_->addItem(QString::fromStdString(tones.Name(i)));

  for (QWidget* editor : All()) {
    editor->setFont(font);
    editor->setGeometry(QRect());
    editor->hide();
  }
}

QComboBox* CellEditors::OptionChooser(int column) const {
  if (column < kFirstOptionColumn || column > kLastOptionColumn) return nullptr;
  return options_[static_cast<std::size_t>(column - kFirstOptionColumn)];
}

QWidget* CellEditors::EditorOf(int column) const {
  if (column == 1 || column == 2) return frequency_;
  if (column == 3 || column == 4) return tone_;
  return OptionChooser(column);
}

bool CellEditors::IsOptionChooser(const QWidget* widget) const {
  if (widget == nullptr) return false;
  for (QComboBox* chooser : options_) {
    if (chooser == widget) return true;
  }
  return false;
}

std::array<QWidget*, 8> CellEditors::All() const {
  return {frequency_, options_[3], options_[2], options_[1], options_[0],
          options_[5], options_[4], tone_};
}

QWidget* CellEditors::Shown() const {
  if (!Created()) return nullptr;
  for (QWidget* editor : All()) {
    if (editor->isVisibleTo(&grid_)) return editor;
  }
  return nullptr;
}

void CellEditors::Hide(QWidget* editor) {
  if (editor == nullptr) return;
  // The keyboard stays with the grid rather than wandering to the next
  // control of the form.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr && (focus == editor || editor->isAncestorOf(focus))) grid_.setFocus();
  editor->hide();
}

void CellEditors::HideAll() {
  if (!Created()) return;
  for (QWidget* editor : All()) Hide(editor);
}

}  // namespace korvel
