#include "editor/sort_channels_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

#include "model/channel_columns.h"

namespace korvel {

SortChannelsDialog::SortChannelsDialog(const QString& scope, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Sort Channels"));
  auto* form = new QFormLayout(this);
  auto* what = new QLabel(scope, this);
  what->setWordWrap(true);
  form->addRow(what);

  column_ = new QComboBox(this);
  for (const std::string_view name : kColumnNames)
    column_->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  column_->setAccessibleName(QStringLiteral("Sort by"));
  form->addRow(QStringLiteral("Sort &by:"), column_);

  auto* ascending = new QRadioButton(QStringLiteral("&Ascending"), this);
  descending_ = new QRadioButton(QStringLiteral("&Descending"), this);
  ascending->setChecked(true);
  auto* directions = new QHBoxLayout;
  directions->addWidget(ascending);
  directions->addWidget(descending_);
  directions->addStretch();
  form->addRow(QStringLiteral("Order:"), directions);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

int SortChannelsDialog::Column() const { return column_->currentIndex() + 1; }

SortDirection SortChannelsDialog::Direction() const {
  return descending_->isChecked() ? SortDirection::Descending : SortDirection::Ascending;
}

}  // namespace korvel
