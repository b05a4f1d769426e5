// File > Print through Qt's print dialog into a PDF file: the five pages
// show the working copy, the edit still open in a cell included; a file that
// cannot be saved is reported and stays as it was.

#include <sys/stat.h>

#include <QDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalSpy>

#include "app/command_ids.h"
#include "app_test_support.h"
#include "child_process.h"
#include "editor/channel_grid.h"

namespace korvel::testing {
namespace {

// The PDF's text per page, each run of white space made one space.
std::vector<std::string> PdfPages(const QString& pdf) {
  const test::ChildRun run = test::RunChild({"/usr/bin/pdftotext", pdf.toStdString(), "-"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<std::string> pages;
  for (const QString& page : QString::fromStdString(run.out).split('\f'))
    if (!page.trimmed().isEmpty()) pages.push_back(page.simplified().toStdString());
  return pages;
}

using PrintCommands = FrameTest;

TEST_F(PrintCommands, PrintToPdfShowsTheWorkingCopyOnFivePages) {
  ASSERT_TRUE(frame->Files().OpenFile(WriteFile("sample.sin", SampleImage())));
  // Channel 2 typed into its cell, the editor still open.
  auto* grid = static_cast<ChannelGrid*>(frame->View().Grid());
  grid->setFocus();
  grid->SetCurrent(2, 1);
  for (QChar c : QStringLiteral("147.125")) QTest::keyClicks(QApplication::focusWidget(), QString(c));

  const QString pdf = dir.filePath("printout.pdf");
  frame->Printing().Printer().setOutputFormat(QPrinter::PdfFormat);
  frame->Printing().Printer().setOutputFileName(pdf);
  // The print dialog is confirmed as it comes up, printing to that file.
  AnswerModal([this] { frame->Printing().Print(); }, [](QDialog& dialog) { dialog.accept(); });

  const std::vector<std::string> pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 5u);
  // The page layout and the summary's texts are the print library's; here
  // the document's bar and channels, the open edit included, reach the pages.
  struct Row {
    std::size_t page;
    std::string text;
  };
  const Row rows[] = {
      {1, "Type: KR - 200"}, {1, "TX power rank: 3"},  {1, "145.50000"},
      {1, "147.12500"},      {5, "146.62500"},         {5, "Carrier"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_NE(pages[row.page - 1].find(row.text), std::string::npos) << pages[row.page - 1];
  }
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(frame->Panes().MessageText(), "Printed 5 pages to printout.pdf");
  frame->Printing().Printer().setPrintRange(QPrinter::PageRange);
  frame->Printing().Printer().setFromTo(2, 3);
  ASSERT_TRUE(frame->Printing().PrintTo(frame->Printing().Printer()));
  EXPECT_EQ(PdfPages(pdf).size(), 2u);
  EXPECT_EQ(frame->Panes().MessageText(), "Printed 2 pages to printout.pdf");

  // Again over the file made read-only: the file and the system's reason,
  // never a success, and the file as it was.
  const std::string printed = ReadFile(pdf);
  ::chmod(QFile::encodeName(pdf).constData(), 0444);
  QSignalSpy outcome(&frame->Printing(), &korvel::PrintCommands::outcome);
  EXPECT_FALSE(frame->Printing().PrintTo(frame->Printing().Printer()));
  EXPECT_EQ(outcome.count(), 0);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{"Cannot save \"" + pdf.toStdString() + "\": Permission denied"});
  EXPECT_EQ(ReadFile(pdf), printed);
}

TEST_F(PrintCommands, PreviewShowsFivePagesAndSetupOpensAndCloses) {
  // A print to a file chosen before: the preview still only shows it.
  const QString pdf = dir.filePath("earlier.pdf");
  frame->Printing().Printer().setOutputFileName(pdf);
  QString caption;
  int pages = 0;
  std::vector<int> turned;
  AnswerModal([&] { frame->Action(kCmdPrintPreview)->trigger(); }, [&](QDialog& dialog) {
    caption = dialog.windowTitle();
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (preview == nullptr) return dialog.reject();
    pages = preview->pageCount();
    // Page Down and the arrows turn to the next pair of pages (1, 2-3, 4-5:
    // current page / 2), no further than the last; Page Up back.
    QApplication::setActiveWindow(&dialog);
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_PageUp}) {
      QTest::keyClick(&dialog, key);
      turned.push_back(preview->currentPage() / 2);
    }
    dialog.reject();
  });
  EXPECT_EQ(caption, "Print Preview");
  EXPECT_EQ(pages, 5);
  EXPECT_EQ(turned, (std::vector<int>{1, 2, 2, 1}));
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_TRUE(AnswerModal([&] { frame->Action(kCmdPrintSetup)->trigger(); }, [](QDialog& d) { d.reject(); }));
  EXPECT_TRUE(prompter.asked.empty());
}

}  // namespace
}  // namespace korvel::testing
