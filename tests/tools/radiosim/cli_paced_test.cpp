// Transfers at the real pace of a 9600-baud line: a full read, and the wait
// for a radio that never answers. Slow (about 10 and 20 seconds).

#include "link/transfer_texts.h"
#include "transfer_fixture.h"

namespace korvel::test {
namespace {

class PacedTransfer : public TransferTest {};

TEST_F(PacedTransfer, FullReadAtLineSpeed) {
  const MemoryImage memory = PatternImage(11);
  StartRadio({"--image", RadioFile(memory)}, /*paced=*/true);
  const CliRun run = Read(dir.Path("read.sin"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ImageFromFile(dir.Path("read.sin")), memory);
}

TEST_F(PacedTransfer, SilentRadioEndsInACommunicationError) {
  StartRadio({"--silent"}, /*paced=*/true);
  const CliRun run = Read(dir.Path("read.sin"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(CountLines(run.err, texts::kCommunicationError), 1) << run.err;
  EXPECT_FALSE(Exists(dir.Path("read.sin")));
}

}  // namespace
}  // namespace korvel::test
