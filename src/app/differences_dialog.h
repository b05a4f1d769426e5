#pragma once
// Shows what differs between two memory images: each channel text and
// setting on a line of its own with both values, then the count of
// differing bytes neither shows. Used after a write that the radio read
// back differently, and by File > Compare With.

#include <QDialog>
#include <QString>

#include "model/image_diff.h"

class QLabel;
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

 private:
  QTreeWidget* list_ = nullptr;
  QLabel* footer_ = nullptr;
};

}  // namespace korvel
