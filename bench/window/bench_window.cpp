// bench_window: a full read and a full write run as the window runs them
// (the frame's commands, the progress dialog, the transfer on its worker
// thread), offscreen, against the simulated radio on a pseudo-terminal
// paced like a 9600-baud line. Prints the wall time beside the transfer's
// floor, the CPU of the whole process and of the radio's thread, and the
// longest the interface thread's event loop went without turning (a 1 ms
// timer's largest gap between two ticks).
//
// Then the editing side: a paste of 128 channels through the Edit menu's
// command and its undo, each timed until the grid has repainted.
//
//   bench_window [--repeat N]

#include <pthread.h>
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <QClipboard>

#include "app/command_ids.h"
#include "app/file_chooser.h"
#include "app/file_commands.h"
#include "app/main_frame.h"
#include "app/progress_dialog.h"
#include "app/qt_prompter.h"
#include "app/transfer_controller.h"
#include "editor/channel_edit_commands.h"
#include "editor/channel_grid.h"
#include "editor/kov_view.h"
#include "model/channel_paste.h"
#include "model/document_history.h"
#include "pty_server.h"
#include "radio_protocol.h"
#include "transfer_floor.h"

namespace {

using namespace korvel;
using namespace korvel::bench;

class NoFiles final : public FileChooser {
 public:
  QString OpenPath(QWidget*) override { return {}; }
  QString SavePath(QWidget*, const QString&) override { return {}; }
  CsvImport ImportCsvPath(QWidget*) override { return {}; }
  CsvExport ExportCsvPath(QWidget*, const QString&) override { return {}; }
};

double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
}

double ThreadCpuMs(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void RunOne(CMainFrame& frame, CKovDoc& document, TransferDirection direction) {
  radiosim::RadioProtocol protocol(NewImage(), 0xFF);
  radiosim::PtyServer server(protocol, radiosim::ServerOptions{true, {}, nullptr});
  std::string error;
  if (!server.Open(&error)) {
    std::fprintf(stderr, "bench_window: %s\n", error.c_str());
    std::exit(1);
  }
  std::thread radio([&] { server.Run(nullptr); });
  clockid_t radioClock{};
  pthread_getcpuclockid(radio.native_handle(), &radioClock);
  frame.View().SetPortName(QString::fromStdString(server.DevicePath()));
  document.History().MarkSaved();

  // The largest gap between two ticks of a 1 ms timer on the interface thread.
  qint64 worstGapMs = 0;
  QElapsedTimer sinceTick;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    worstGapMs = std::max(worstGapMs, sinceTick.restart());
  });

  direction == TransferDirection::Read ? frame.OnReadFromRadio() : frame.OnWriteToRadio();
  const double cpu0 = ProcessCpuMs();
  const double radioCpu0 = ThreadCpuMs(radioClock);
  QElapsedTimer wall;
  wall.start();
  sinceTick.start();
  ticker.start(1);
  frame.Transfers().Dialog().StartButton()->click();
  // The event loop as the program runs it, until the dialog has gone.
  QEventLoop loop;
  QTimer done;
  QObject::connect(&done, &QTimer::timeout, [&] {
    if (!frame.Transfers().Running() && !frame.Transfers().Dialog().isVisible()) loop.quit();
  });
  done.start(20);
  loop.exec();
  const double wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
  ticker.stop();
  const double cpuMs = ProcessCpuMs() - cpu0;
  const double radioCpuMs = ThreadCpuMs(radioClock) - radioCpu0;
  server.RequestStop();
  radio.join();

  const Floor floor = TransferFloor(direction);
  std::printf(
      "%-10s wall %8.1f ms  overlapped floor %8.1f ms (x%5.3f)  process cpu %6.1f ms (radio %5.1f ms)  "
      "longest event-loop stall %3lld ms\n",
      direction == TransferDirection::Read ? "read" : "write", wallMs, floor.overlapped, wallMs / floor.overlapped,
      cpuMs, radioCpuMs, static_cast<long long>(worstGapMs));
  std::fflush(stdout);
}

}  // namespace

// 128 channels in use, as the clipboard holds them after a copy of all rows.
std::string AllChannelsText() {
  ChannelTable table;
  for (int row = 1; row <= ChannelTable::kRows; ++row) {
    const std::string mhz = FormatFrequency(static_cast<std::uint32_t>(14000000 + row * 2500));
    table.SetRow(row, {{mhz, mhz, "88.5", "D023N", "Wide", "Yes", "High", "DTMF", "ON", "Close"}});
  }
  return CopyRowsText(table, 1, ChannelTable::kRows);
}

// Paste then undo, both through the window's commands, each until the
// event loop has run the repaint it caused.
void RunEditing(CMainFrame& frame, int repeat) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(AllChannelsText()));
  auto& grid = static_cast<ChannelGrid&>(*frame.View().Grid());
  std::vector<double> paste;
  std::vector<double> undo;
  for (int i = 0; i < std::max(repeat, 21); ++i) {
    grid.SelectRows(1, 1);
    QElapsedTimer timer;
    timer.start();
    frame.View().EditCommands().Paste();
    QCoreApplication::processEvents();
    paste.push_back(timer.nsecsElapsed() / 1e6);
    timer.restart();
    frame.View().EditCommands().Undo();
    QCoreApplication::processEvents();
    undo.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::sort(paste.begin(), paste.end());
  std::sort(undo.begin(), undo.end());
  std::printf("paste 128 channels in the window: median %.1f ms, slowest %.1f ms (%zu runs)\n",
              paste[paste.size() / 2], paste.back(), paste.size());
  std::printf("undo that paste in the window:    median %.1f ms, slowest %.1f ms (%zu runs)\n",
              undo[undo.size() / 2], undo.back(), undo.size());
}

int main(int argc, char** argv) {
  int repeat = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: bench_window [--repeat N]\n");
      return 2;
    }
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
  QtPrompter prompter;
  NoFiles chooser;
  CKovDoc document;
  CMainFrame frame(document, prompter, chooser, settings);
  // The write alone is measured against its floor, and backups stay here.
  frame.Action(kCmdVerifyAfterWrite)->setChecked(false);
  frame.Transfers().SetBackupFolder(dir.filePath("backups").toStdString());
  frame.Files().Commands().New();
  frame.show();
  std::printf("the window's read and write against the simulated radio at 9600 baud 8N1, offscreen\n");
  for (int i = 0; i < repeat; ++i) {
    RunOne(frame, document, TransferDirection::Read);
    RunOne(frame, document, TransferDirection::Write);
  }
  RunEditing(frame, repeat);
  document.History().MarkSaved();
  return 0;
}
