#pragma once
// The form view tests' fixtures: a shown view over a new document with a
// recording prompter, and (EditTest) driving its grid as a user does, with
// clicks, typed keys and Enter going to the real widgets.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "editor/cell_editors.h"
#include "editor/channel_grid.h"
#include "editor/kov_view.h"
#include "editor/type_settings_bar.h"
#include "model/document_history.h"
#include "model/kov_document.h"
#include "offscreen_app.h"
#include "scripted_prompter.h"

namespace korvel::test {

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    document.OnNewDocument();
    view = std::make_unique<CKovView>(document, prompter);
    view->resize(view->FormSize());
    view->show();
    QApplication::setActiveWindow(view.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->OnInitialUpdate();
  }

  ChannelGrid& Grid() const { return *view->findChild<ChannelGrid*>(); }
  TypeSettingsBar& Bar() const { return *view->findChild<TypeSettingsBar*>(); }
  QLineEdit* FrequencyBox() const { return view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit")); }
  QComboBox* ToneChooser() const { return view->findChild<QComboBox*>(QStringLiteral("toneChooser")); }
  QComboBox* OptionChooser(int column) const {
    return view->findChild<QComboBox*>(QStringLiteral("optionChooser%1").arg(column));
  }
  // The texts of a channel's ten cells, Receive to BusyLock.
  QStringList RowTexts(int row) const {
    QStringList texts;
    for (int column = 1; column < ChannelGrid::kColumns; ++column) texts << Grid().TextMatrix(row, column);
    return texts;
  }
  // Replaces the document's image and runs the initial update, as Open does.
  void Open(const MemoryImage& image) {
    document.Image() = image;
    view->OnInitialUpdate();
  }

  CKovDoc document;
  ScriptedPrompter prompter;
  std::unique_ptr<CKovView> view;
};

class EditTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    Bar().BandList()->setCurrentIndex(1);  // "136 - 174MHz"
    document.History().MarkSaved();        // each test starts unchanged
  }

  static QWidget* Focus() { return QApplication::focusWidget(); }
  QPoint CellCentre(int row, int column) {
    const QModelIndex index = Grid().model()->index(row - 1, column - 1);
    Grid().scrollTo(index);
    return Grid().visualRect(index).center();
  }
  void Click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Grid().viewport(), button, Qt::NoModifier, CellCentre(row, column));
  }
  // Makes (row, column) current with the grid focused, as arrow keys would.
  void GoTo(int row, int column) {
    Grid().setFocus();
    Grid().SetCurrent(row, column);
  }
  // Each character goes to whichever widget has the focus by then.
  static void Type(const QString& text) {
    for (QChar c : text) QTest::keyClicks(Focus(), QString(c));
  }
  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focus(), key, modifiers);
  }
  static void Enter() { Key(Qt::Key_Return); }
  // Types text on a cell of the grid (the first character opens the editor)
  // and presses Enter.
  void Enter(int row, int column, const QString& text) {
    GoTo(row, column);
    Type(text);
    Enter();
  }
  QWidget* ShownEditor() const {
    for (QWidget* w : Grid().viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (w->isVisible()) return w;
    }
    return nullptr;
  }
  bool Shows(QWidget* editor) const { return editor != nullptr && ShownEditor() == editor; }
};

}  // namespace korvel::test
