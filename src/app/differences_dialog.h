#pragma once
// Shows what differs between two memory images: each channel text and
// setting on a line of its own with both values, then the count of
// differing bytes neither shows. Used after a write that the radio read
// back differently (offering to write again), and by File > Compare With.

#include <QDialog>
#include <QString>

#include "model/image_diff.h"

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace korvel {

class DifferencesDialog : public QDialog {
  Q_OBJECT
 public:
  // leftName and rightName head the two value columns ("Sent", "Radio").
  DifferencesDialog(const QString& caption, const QString& heading, const QString& leftName,
                    const QString& rightName, const ImageDifferences& differences, QWidget* parent = nullptr);

  QTreeWidget* List() const { return list_; }
  QString Footer() const;
  // Adds Write Again beside Close: exec() then returns Accepted for it.
  QPushButton* OfferWriteAgain();

 private:
  QTreeWidget* list_ = nullptr;
  QLabel* footer_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace korvel
