#include "app/differences_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/channel_columns.h"

namespace korvel {
namespace {

QString Shown(const std::string& text) {
  return text.empty() ? QStringLiteral("(empty)") : QString::fromStdString(text);
}

}  // namespace

DifferencesDialog::DifferencesDialog(const QString& caption, const QString& heading, const QString& leftName,
                                     const QString& rightName, const ImageDifferences& differences,
                                     QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QLabel(heading, this);
  top->setWordWrap(true);
  layout->addWidget(top);

  list_ = new QTreeWidget(this);
  list_->setRootIsDecorated(false);
  list_->setAlternatingRowColors(true);
  list_->setHeaderLabels({QStringLiteral("Where"), QStringLiteral("What"), leftName, rightName});
  list_->setAccessibleName(QStringLiteral("Differences"));
  for (const ChannelDifference& d : differences.channels) {
    const QString column = QString::fromStdString(ColumnName(d.column));
    list_->addTopLevelItem(new QTreeWidgetItem(
        {QStringLiteral("Channel %1").arg(d.channel), column, Shown(d.left), Shown(d.right)}));
  }
  for (const SettingDifference& d : differences.settings) {
    list_->addTopLevelItem(new QTreeWidgetItem(
        {QStringLiteral("Setting"), QString::fromStdString(d.name), Shown(d.left), Shown(d.right)}));
  }
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->setVisible(list_->topLevelItemCount() > 0);
  layout->addWidget(list_, 1);

  QString footer;
  if (differences.Empty()) {
    footer = QStringLiteral("No differences.");
  } else if (differences.hiddenBytes > 0) {
    footer = QStringLiteral("%1 other byte(s) differ that the channels and settings do not show.")
                 .arg(differences.hiddenBytes);
  }
  footer_ = new QLabel(footer, this);
  footer_->setVisible(!footer.isEmpty());
  layout->addWidget(footer_);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons_);
  // Room for the list when there is one; a short note otherwise.
  if (list_->topLevelItemCount() > 0) resize(620, 420);
}

QString DifferencesDialog::Footer() const { return footer_->text(); }

QPushButton* DifferencesDialog::OfferWriteAgain() {
  QPushButton* writeAgain = buttons_->addButton(QStringLiteral("Write Again"), QDialogButtonBox::AcceptRole);
  writeAgain->setDefault(true);
  return writeAgain;
}

}  // namespace korvel
