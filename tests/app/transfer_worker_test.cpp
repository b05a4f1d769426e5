// A transfer on its own thread: progress and the outcome arrive on the
// interface thread. (Its questions are the prompter's: QtPrompter shows a
// question asked from another thread on the interface thread.)

#include <QSignalSpy>
#include <QThread>

#include "app/transfer_worker.h"
#include "app_test_support.h"
#include "simulated_port.h"
#include "test_files.h"

namespace korvel::testing {
namespace {

TEST(TransferWorker, ReadReportsProgressAndItsImageOnTheInterfaceThread) {
  EnsureApplication();
  const MemoryImage memory = test::PatternImage(7);
  radiosim::RadioProtocol radio(memory, 0xFF);
  test::SimulatedClock clock;
  test::SimulatedPort port(radio, clock);
  ScriptedPrompter prompter;
  TransferWorker worker(port.Factory(), clock, prompter);

  // Each report is looked at where it arrives.
  bool offThread = false;
  QString status;
  int position = 0;
  const auto here = [&offThread] { offThread = offThread || QThread::currentThread() != qApp->thread(); };
  QObject::connect(&worker, &TransferWorker::statusText, &worker, [&](const QString& text) { here(), status = text; });
  QObject::connect(&worker, &TransferWorker::progress, &worker, [&](int p) { here(), position = p; });
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

}  // namespace
}  // namespace korvel::testing
