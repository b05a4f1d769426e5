// Start-up: the command line, a file that can't be opened, the window's
// size and place.
#include <QScreen>
#include <QStatusBar>

#include "app/command_line.h"
#include "app/kov_app.h"
#include "korvel_version.h"
#include "model/channel_file.h"
#include "app_test_support.h"

namespace korvel::testing {
namespace {

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    settings = std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat);
    app = std::make_unique<CKovApp>(prompter, chooser, *settings);
  }
  QTemporaryDir dir;
  std::unique_ptr<QSettings> settings;
  ScriptedPrompter prompter;
  ScriptedChooser chooser;
  std::unique_ptr<CKovApp> app;
};

TEST_F(StartUp, AFileOnTheCommandLineOpens) {
  const MemoryImage sample = SampleImage();
  const QString path = dir.filePath("start.sin");
  ASSERT_TRUE(SaveChannelFile(QFile::encodeName(path).toStdString(), sample));

  ASSERT_TRUE(app->InitInstance({path}));
  EXPECT_EQ(QFile::decodeName(app->Document().PathName().c_str()), path);
  MemoryImage shown = NewImage();
  app->Document().Channels().Collect(shown);
  EXPECT_EQ(shown, sample);
  EXPECT_TRUE(app->Frame()->isVisible());
  EXPECT_EQ(app->Frame()->windowTitle(), "start.sin[*] - Korvel Electronics  Programing Software");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(StartUp, AFileThatCantBeOpenedEndsStartUpWithItsMessage) {
  const QString missing = dir.filePath("nothing-here.sin");
  EXPECT_FALSE(app->InitInstance({missing}));
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_NE(prompter.asked[0].text.find("nothing-here.sin"), std::string::npos);
  EXPECT_TRUE(app->Frame() == nullptr || !app->Frame()->isVisible());
}

// Every heading and 20 rows (the view's test) where the screen allows; the
// test screen is too small, and the window fills it.
TEST_F(StartUp, WithoutAFileANewDocumentOpensAsLargeAsTheGridNeedsAndTheScreenAllows) {
  ASSERT_TRUE(app->InitInstance({}));
  CMainFrame& frame = *app->Frame();
  EXPECT_TRUE(app->Document().Channels().Row(1).AllEmpty());
  EXPECT_TRUE(app->Document().PathName().empty());
  EXPECT_FALSE(app->Document().IsModified());

  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  QCoreApplication::processEvents();
  const QRect available = frame.screen()->availableGeometry();
  const QRect outer = frame.frameGeometry();
  EXPECT_TRUE(available.contains(outer)) << outer.width() << "x" << outer.height();
  const QSize wanted = frame.View().SizeShowing(CMainFrame::kFirstRows);
  const QSize shown = frame.centralWidget()->size();
  EXPECT_TRUE(shown.width() >= wanted.width() || outer.width() == available.width()) << shown.width();
  EXPECT_TRUE(shown.height() >= wanted.height() || outer.height() == available.height()) << shown.height();
  EXPECT_EQ(frame.statusBar()->currentMessage(), QString());
}

TEST(CommandLine, HelpVersionOrOneFile) {
  using Kind = CommandLineRequest::Kind;
  const struct {
    QStringList arguments;
    Kind kind;
    QString file;
    QString refusal;
  } cases[] = {
      {{}, Kind::kStart, "", ""},
      {{"radio.sin"}, Kind::kStart, "radio.sin", ""},
      {{"--", "--version"}, Kind::kStart, "--version", ""},
      {{"-"}, Kind::kStart, "-", ""},
      {{"radio.sin", "--help"}, Kind::kHelp, "", ""},
      {{"-v"}, Kind::kVersion, "", ""},
      {{"--print", "radio.sin"}, Kind::kRefused, "", "unknown option '--print'"},
      {{"a.sin", "b.sin"}, Kind::kRefused, "", "one channel data file at a time, not 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const CommandLineRequest request = ReadCommandLine(c.arguments);
    EXPECT_EQ(request.kind, c.kind);
    EXPECT_EQ(request.file, c.file);
    EXPECT_EQ(request.refusal, c.refusal);
  }
  EXPECT_EQ(VersionText(), QString("korvel %1\n").arg(kVersion));
}

// Size, place and the maximised state at exit come back at the next start;
// a place off every screen comes back onto one.
TEST_F(StartUp, TheWindowComesBackWhereItWasLeft) {
  const struct {
    QRect place;
    bool maximised;
  } cases[] = {{QRect(40, 30, 500, 400), false}, {QRect(60, 50, 450, 350), true}, {QRect(5000, 4000, 500, 400), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.place.x());
    {
      CKovApp left(prompter, chooser, *settings);
      ASSERT_TRUE(left.InitInstance({}));
      left.Frame()->setGeometry(c.place);
      if (c.maximised) left.Frame()->showMaximized();
      left.Frame()->close();
    }
    CKovApp next(prompter, chooser, *settings);
    ASSERT_TRUE(next.InitInstance({}));
    CMainFrame& frame = *next.Frame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.isMaximized(), c.maximised);
    const QRect available = frame.screen()->availableGeometry();
    if (available.intersects(c.place)) EXPECT_EQ(frame.normalGeometry(), c.place);
    else EXPECT_TRUE(available.contains(frame.frameGeometry()) && frame.size() == c.place.size());
  }
}

}  // namespace
}  // namespace korvel::testing
