// A transfer on its own thread: progress and the outcome arrive on the
// interface thread, and its questions are shown there.

#include <QAbstractButton>
#include <QMessageBox>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>

#include "app/qt_prompter.h"
#include "app/transfer_worker.h"
#include "app_test_support.h"
#include "link/transfer_texts.h"
#include "protocol_port.h"
#include "test_files.h"

namespace korvel::testing {
namespace {

TEST(TransferWorker, ReadReportsProgressAndItsImageOnTheInterfaceThread) {
  EnsureApplication();
  const MemoryImage memory = test::PatternImage(7);
  radiosim::RadioProtocol radio(memory, 0xFF);
  test::SimulatedClock clock;
  test::ProtocolPort port(radio, clock);
  ScriptedPrompter prompter;
  TransferWorker worker(port, clock, prompter);

  QThread* const interfaceThread = QThread::currentThread();
  bool offThread = false;
  QString status;
  int position = 0;
  QObject::connect(&worker, &TransferWorker::statusText, &worker, [&](const QString& text) {
    offThread = offThread || QThread::currentThread() != interfaceThread;
    status = text;
  });
  QObject::connect(&worker, &TransferWorker::progress, &worker, [&](int p) {
    offThread = offThread || QThread::currentThread() != interfaceThread;
    position = p;
  });
  QSignalSpy finished(&worker, &TransferWorker::finished);
  ASSERT_TRUE(worker.StartRead("COM2"));
  EXPECT_FALSE(worker.StartRead("COM2")) << "one transfer at a time";
  ASSERT_TRUE(finished.wait(10000));

  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.Outcome().result, TransferResult::Completed);
  EXPECT_EQ(worker.Outcome().image, memory);
  EXPECT_FALSE(offThread);
  EXPECT_EQ(position, kProgressEnd);
  EXPECT_EQ(status, "262");
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(port.OpenedName(), "COM2");
}

TEST(TransferWorker, QuestionsOfTheTransferAreAnsweredInTheWindow) {
  EnsureApplication();
  radiosim::RadioFaults silent;
  silent.silent = true;
  radiosim::RadioProtocol radio(NewImage(), 0xFF, silent);
  test::SimulatedClock clock;
  test::ProtocolPort port(radio, clock);
  QtPrompter prompter;
  TransferWorker worker(port, clock, prompter);

  // The first Communication Error is answered Retry, the second Cancel.
  QStringList shown;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box->isHidden()) return;
    shown << box->text();
    box->button(shown.size() == 1 ? QMessageBox::Retry : QMessageBox::Cancel)->click();
  });
  answerer.start(5);
  QSignalSpy finished(&worker, &TransferWorker::finished);
  ASSERT_TRUE(worker.StartWrite("COM1", NewImage()));
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(shown, QStringList({texts::kCommunicationError, texts::kCommunicationError}));
  EXPECT_EQ(worker.Outcome().result, TransferResult::CommunicationErrorCancelled);
  EXPECT_EQ(worker.Outcome().attempts, 30);
}

}  // namespace
}  // namespace korvel::testing
