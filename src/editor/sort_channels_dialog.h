#pragma once
// Edit > Sort Channels...: the column to sort by and the direction. What is
// sorted (the selected channels, or all channels in use) is the command's
// and is only shown here.

#include <QDialog>
#include <QString>

#include "model/channel_sort.h"

class QComboBox;
class QRadioButton;

namespace korvel {

class SortChannelsDialog : public QDialog {
  Q_OBJECT
 public:
  // scope says which channels the sort moves.
  SortChannelsDialog(const QString& scope, QWidget* parent = nullptr);

  // Grid column 1..10 chosen.
  int Column() const;
  SortDirection Direction() const;

  QComboBox* ColumnList() const { return column_; }
  QRadioButton* DescendingButton() const { return descending_; }

 private:
  QComboBox* column_ = nullptr;
  QRadioButton* descending_ = nullptr;
};

}  // namespace korvel
