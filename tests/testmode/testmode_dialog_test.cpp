// The test mode dialog offscreen: its panels and captions as the tree
// selection moves, the frequency check on Enter, Default, what each debug
// frequency and item keeps, what Start sends, and an exchange that leaves
// the dialog live. The frequency and tone rules themselves are rules_test's.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include "testmode/testmode_dialog.h"
#include "offscreen_app.h"
#include "scripted_prompter.h"
#include "simulated_port.h"
#include "test_files.h"
#include "testmode/texts.h"

namespace korvel::testing {
namespace {

using test::EnsureApplication;
using test::ScriptedPrompter;

// The dialog on the simulated radio and simulated time.
struct DialogRig {
  explicit DialogRig(const QString& band = QStringLiteral("136 - 174MHz"))
      : dialog((EnsureApplication(), band), QStringLiteral("COM2"), port.Factory(), clock, prompter) {
    dialog.show();
  }
  void Select(const char* text) {
    const auto found = dialog.Tree()->findItems(QString::fromLatin1(text), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << text;
    dialog.Tree()->setCurrentItem(found.front());
  }
  template <class W>
  W* Get(int id) {
    return static_cast<W*>(dialog.Control(id));
  }
  bool Shown(int id) { return dialog.Control(id)->isVisibleTo(&dialog); }
  QString Text(int id) { return Get<QLineEdit>(id)->text(); }
  void Enter(int id, const QString& text) {
    Get<QLineEdit>(id)->setFocus();
    Get<QLineEdit>(id)->setText(text);
    QTest::keyClick(dialog.Control(id), Qt::Key_Return);
  }

  radiosim::RadioProtocol radio{test::PatternImage(1), 0x38};
  test::SimulatedClock clock;
  test::SimulatedPort port{radio, clock};
  ScriptedPrompter prompter;
  CTestModeDlg dialog;
};

TEST(TestModeDialog, TreeSelectionShowsItsPanelAndCaption) {
  const struct {
    const char* select;  // nullptr: the dialog as it opens
    bool frequencyPanel;
    bool parameterPanel;
    bool defaultButton;
    const char* caption;
  } steps[] = {
      {nullptr, false, false, false, "Please Choose Frequency first"},
      {"Debug Frequency", false, false, false, "Please Choose Frequency first"},
      {"Middle Frequency", true, false, true, "Middle Frequency"},
      {"Squelch Level", false, true, true, "Middle Frequency"},
      {"Debug Item", false, true, true, "Middle Frequency"},
      {"Low Frequency", true, false, true, "Low frequency"},
      {"High Frequency", true, false, true, "High Frequency"},
  };
  DialogRig rig;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.select ? step.select : "at start");
    if (step.select) rig.Select(step.select);
    for (int id : {1030, 1031, 1034, 1035, 1012, 1013, 1063, 1067, 1060})
      EXPECT_EQ(rig.Shown(id), step.frequencyPanel) << id;
    for (int id : {1038, 1039, 1040, 1042, 1044, 1052}) EXPECT_EQ(rig.Shown(id), step.parameterPanel) << id;
    EXPECT_EQ(rig.Shown(1028), step.defaultButton);
    EXPECT_FALSE(rig.Shown(1068));
    EXPECT_EQ(rig.Get<QGroupBox>(1029)->title(), step.caption);
  }
  rig.Select("Exit Debug");
  EXPECT_FALSE(rig.dialog.isVisible());
  EXPECT_EQ(rig.dialog.result(), QDialog::Accepted);
}

TEST(TestModeDialog, EnterChecksTheFrequencyOnItsSidesStepAndMovesOn) {
  const struct {
    const char* band;
    int edit;
    int stepClicked;  // 0: both sides at 5.00 kHz
    const char* typed;
    const char* shown;
  } cases[] = {
      {"136 - 174MHz", 1030, 0, "136.0031", "136.00500"},
      {"136 - 174MHz", 1030, 1064, "136.0031", "136.00000"},
      {"136 - 174MHz", 1031, 1067, "136.0032", "136.00625"},
      {"136 - 174MHz", 1031, 1064, "136.0032", "136.00500"},  // the receive step is not the transmit's
      {"  67 - 72MHz", 1031, 0, "200", "87.00000"},  // the band the dialog was opened on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.band) + " " + c.typed);
    DialogRig rig(QString::fromLatin1(c.band));
    rig.Select("High Frequency");
    if (c.stepClicked) rig.Get<QRadioButton>(c.stepClicked)->click();
    rig.Enter(c.edit, QString::fromLatin1(c.typed));
    EXPECT_EQ(rig.Text(c.edit), c.shown);
    EXPECT_TRUE(rig.dialog.isVisible()) << "Enter never closes the dialog";
    if (c.edit == 1030) {
      EXPECT_EQ(rig.dialog.focusWidget(), rig.dialog.Control(1031));
    }
  }
}

TEST(TestModeDialog, DefaultAndTheSliderKeepOneValuePerItem) {
  const struct {
    const char* item;
    int defaultValue;
  } cases[] = {{"TX Frequency", 91}, {"Low Power Voltage", 38}, {"Squelch Level", 160}, {"TX Power", 47}};
  DialogRig rig;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    rig.Select(c.item);
    EXPECT_EQ(rig.Get<QSlider>(1039)->value(), 0);
    rig.Get<QSlider>(1039)->setValue(200);
    EXPECT_EQ(rig.Get<QLabel>(1052)->text(), "Current Position:200");
    rig.Get<QPushButton>(1028)->click();
    EXPECT_EQ(rig.Get<QSlider>(1039)->value(), c.defaultValue);
    EXPECT_EQ(rig.Get<QLabel>(1052)->text(), QString("Current Position:%1").arg(c.defaultValue));
  }
  rig.Select("Squelch Level");
  EXPECT_EQ(rig.Get<QSlider>(1039)->value(), 160);
}

TEST(TestModeDialog, EachDebugFrequencyKeepsItsStepsToneMethodsAndTones) {
  DialogRig rig;
  rig.Select("High Frequency");
  EXPECT_EQ(rig.Text(1030), "156.00000");
  rig.Get<QRadioButton>(1035)->click();  // receive DQT
  rig.Get<QRadioButton>(1035)->click();  // again: stays checked, nothing else
  rig.Get<QRadioButton>(1067)->click();  // transmit 6.25 kHz
  EXPECT_FALSE(rig.Get<QRadioButton>(1034)->isChecked());
  EXPECT_EQ(rig.Get<QComboBox>(1012)->count(), 168);
  EXPECT_EQ(rig.Get<QComboBox>(1012)->currentText(), "210.7");

  rig.Select("Middle Frequency");
  EXPECT_EQ(rig.Text(1030), "146.00000");
  EXPECT_TRUE(rig.Get<QRadioButton>(1034)->isChecked());
  EXPECT_TRUE(rig.Get<QRadioButton>(1066)->isChecked());
  EXPECT_EQ(rig.Get<QComboBox>(1012)->count(), 43);

  rig.Select("High Frequency");
  EXPECT_TRUE(rig.Get<QRadioButton>(1035)->isChecked());
  EXPECT_FALSE(rig.Get<QRadioButton>(1034)->isChecked());
  EXPECT_TRUE(rig.Get<QRadioButton>(1067)->isChecked());
  EXPECT_FALSE(rig.Get<QRadioButton>(1066)->isChecked());
  EXPECT_EQ(rig.Get<QComboBox>(1012)->currentText(), "210.7");

  rig.Get<QPushButton>(1028)->click();  // Default resets High
  EXPECT_TRUE(rig.Get<QRadioButton>(1034)->isChecked());
  EXPECT_TRUE(rig.Get<QRadioButton>(1066)->isChecked());
  EXPECT_EQ(rig.Get<QComboBox>(1012)->count(), 43);
}

TEST(TestModeDialog, StartSendsTheChosenToneOrTheToneItsTextNames) {
  const struct {
    const char* name;
    bool dqt;
    const char* select;  // an entry of the list, or nullptr
    const char* typed;   // then text typed over it, or nullptr
    const char* sent;
  } cases[] = {
      {"first QT entry", false, nullptr, nullptr, "OFF"},
      {"a DCS entry", true, "D023N", nullptr, "D023N"},
      {"typed tone name", false, nullptr, "88.5", "88.5"},
      {"typed text that names no tone", false, "88.5", "88.4", "OFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DialogRig rig;
    rig.Select("Middle Frequency");
    if (c.dqt) rig.Get<QRadioButton>(1035)->click();
    auto* combo = rig.Get<QComboBox>(1012);
    if (c.select) combo->setCurrentIndex(combo->findText(QString::fromLatin1(c.select)));
    if (c.typed) combo->setEditText(QString::fromLatin1(c.typed));
    rig.Select("TX Power");
    EXPECT_EQ(rig.dialog.GatherInput().rxTone, c.sent);
    EXPECT_TRUE(rig.dialog.SendsLine()->text().contains(QStringLiteral("tone %1;").arg(c.sent)))
        << rig.dialog.SendsLine()->text().toStdString();
  }
}

TEST(TestModeDialog, StartRunsTheExchangeWhileTheDialogStaysLive) {
  DialogRig rig;
  rig.Select("Middle Frequency");
  rig.Enter(1030, QStringLiteral("146.52"));
  rig.Select("Squelch Level");
  rig.Get<QSlider>(1039)->setValue(160);
  QSignalSpy finished(&rig.dialog, &CTestModeDlg::exchangeFinished);
  QSignalSpy outcome(&rig.dialog, &CTestModeDlg::outcome);
  rig.Get<QPushButton>(1038)->click();
  EXPECT_FALSE(rig.dialog.Control(1038)->isEnabled());
  EXPECT_TRUE(rig.dialog.SendsLine()->text().startsWith("Talking to the radio on COM2"));
  ASSERT_TRUE(finished.wait(10'000));
  EXPECT_TRUE(rig.dialog.Control(1038)->isEnabled());
  EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{texts::kTestFinished});
  EXPECT_EQ(rig.port.OpenedName(), "COM2");
  ASSERT_EQ(rig.radio.TestCommands().size(), 1u);
  const auto& command = rig.radio.TestCommands()[0];
  EXPECT_EQ(command.command, 0x73);
  EXPECT_EQ(command.frequencyBlock, (std::array<std::uint8_t, 8>{0x00, 0x20, 0x65, 0x14, 0x00, 0x00, 0x60, 0x14}));
  EXPECT_EQ(command.parameterBlock, (std::array<std::uint8_t, 8>{0x00, 0x00, 0x00, 0x00, 0xFB, 0x01, 0x01, 0xA0}));
  EXPECT_TRUE(rig.dialog.isVisible());
  ASSERT_EQ(outcome.count(), 1);
  EXPECT_EQ(outcome[0][0].toString(), "Sent Squelch Level 160 at RX 146.52000 / TX 146.00000 MHz on COM2");
}

}  // namespace
}  // namespace korvel::testing
