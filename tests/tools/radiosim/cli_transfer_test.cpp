// Whole transfers through korvel-cli against the simulated radio: the data,
// the bytes on the wire, and every way a transfer fails.

#include <signal.h>

#include <thread>

#include "link/transfer_texts.h"
#include "model/settings_block.h"
#include "transfer_fixture.h"

namespace korvel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Block(const MemoryImage& image, int n) { return Bytes(image.begin() + n * 8, image.begin() + n * 8 + 8); }

Bytes Command(std::uint8_t c, int n) {
  return {c, static_cast<std::uint8_t>((n * 8) >> 8), static_cast<std::uint8_t>((n * 8) & 0xFF), 0x08};
}

void Append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

const Bytes kGreeting = {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};

int Greetings(const Bytes& pc) {
  int count = 0;
  for (std::size_t i = 0; i + kGreeting.size() <= pc.size(); ++i)
    count += std::equal(kGreeting.begin(), kGreeting.end(), pc.begin() + static_cast<long>(i));
  return count;
}

class CompleteTransfer : public TransferTest {};

TEST_F(CompleteTransfer, ReadCopiesEveryByteOfTheRadiosMemory) {
  const MemoryImage memory = PatternImage(1);
  StartRadio({"--image", RadioFile(memory)});
  const CliRun run = Read(dir.Path("read.sin"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ImageFromFile(dir.Path("read.sin")), memory);

  // Again through a port name, on the same radio: it serves one transfer after another.
  const CliRun byName = RunCli({"read", "--port", "COM1", "-o", dir.Path("com1.sin")}, 60'000,
                               {"KORVEL_COM1=" + radio.Device()});
  ASSERT_EQ(byName.status, 0) << byName.err;
  EXPECT_EQ(ImageFromFile(dir.Path("com1.sin")), memory);
}

TEST_F(CompleteTransfer, WriteSendsTheFileAsTheGridCollectsIt) {
  MemoryImage file = PatternImage(2);
  file[settings::kRadioType] = 0x38;
  const MemoryImage sent = ThroughGrid(file);
  ASSERT_NE(sent, file) << "the pattern should exercise the collection";
  const std::string saved = dir.Path("radio-saved.sin");
  StartRadio({"--type", "0x38", "--save", saved});

  const CliRun run = Write(RadioFile(file, "file.sin"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ImageFromFile(saved), sent) << "saved as soon as all 264 blocks arrived";

  const CliRun back = Read(dir.Path("back.sin"));
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(ImageFromFile(dir.Path("back.sin")), sent);
  EXPECT_EQ(radio.Stop(), 0);
  EXPECT_EQ(ImageFromFile(saved), sent);
}

TEST_F(CompleteTransfer, WireCarriesExactlyTheProtocolsFrames) {
  const MemoryImage memory = PatternImage(3);
  const std::string log = dir.Path("wire.log");
  StartRadio({"--image", RadioFile(memory), "--type", "0x38", "--log", log});
  const CliRun read = Read(dir.Path("read.sin"));
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.err, "") << "reading never checks the radio type";

  Bytes pc = kGreeting, radioSide = {0x06};
  Append(pc, {0x4D, 0x02, 0x06});
  const Bytes logged = LoggedBytes(ReadFile(log), "radio");
  ASSERT_GE(logged.size(), 9u);
  EXPECT_EQ(logged[5], 0x38) << "ident byte 4 is the type";
  Append(radioSide, Bytes(logged.begin() + 1, logged.begin() + 9));
  Append(radioSide, {0x06});
  for (int n = 0; n < 264; ++n) {
    Append(pc, Command('R', n));
    Append(pc, {0x06});
    Append(radioSide, Command('R', n));
    Append(radioSide, Block(memory, n));
    Append(radioSide, {0x06});
  }
  EXPECT_EQ(LoggedBytes(ReadFile(log), "pc"), pc);
  EXPECT_EQ(logged, radioSide);

  // A write: the same handshake, then command and data per block, each acknowledged.
  const MemoryImage file = PatternImage(4);
  const MemoryImage sent = ThroughGrid(file);
  WriteFile(log, "");
  ASSERT_EQ(radio.Stop(), 0);
  StartRadio({"--type", "0xFF", "--log", log});
  const CliRun write = Write(RadioFile(file, "file.sin"));
  ASSERT_EQ(write.status, 0) << write.err;
  Bytes pcWrite = kGreeting;
  Append(pcWrite, {0x4D, 0x02, 0x06});
  for (int n = 0; n < 264; ++n) {
    Append(pcWrite, Command('W', n));
    Append(pcWrite, Block(sent, n));
  }
  EXPECT_EQ(LoggedBytes(ReadFile(log), "pc"), pcWrite);
  EXPECT_EQ(LoggedBytes(ReadFile(log), "radio").size(), 1u + 8u + 1u + 264u);
}

class PortNotOpened : public TransferTest {};

TEST_F(PortNotOpened, MissingDevice) {
  const CliRun read = RunCli({"read", "--port", dir.Path("no-such-tty"), "-o", dir.Path("read.sin")});
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(CountLines(read.err, texts::kPortNotOpened), 1) << read.err;
  EXPECT_FALSE(Exists(dir.Path("read.sin")));

  const CliRun write = RunCli({"write", "--port", dir.Path("no-such-tty"), RadioFile(NewImage())});
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(CountLines(write.err, texts::kPortNotOpened), 1) << write.err;
}

TEST_F(PortNotOpened, DeviceHeldByAnotherProgram) {
  StartRadio({});
  Simulator holder;
  ASSERT_TRUE(holder.Start({"--hold", radio.Device()})) << holder.Stderr();
  const CliRun read = Read(dir.Path("read.sin"));
  EXPECT_EQ(read.status, 1);
  EXPECT_EQ(CountLines(read.err, texts::kPortNotOpened), 1) << read.err;
  EXPECT_FALSE(Exists(dir.Path("read.sin")));
  const CliRun write = Write(RadioFile(NewImage()));
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(CountLines(write.err, texts::kPortNotOpened), 1) << write.err;

  EXPECT_EQ(holder.Stop(), 0);
  const CliRun again = Read(dir.Path("read.sin"));
  EXPECT_EQ(again.status, 0) << "free once the holder is gone: " << again.err;
}

class HandshakeFailure : public TransferTest {};

TEST_F(HandshakeFailure, OneStrayByteIsToleratedTwoAreACommunicationError) {
  StartRadio({"--stray", "1"});
  const CliRun one = Read(dir.Path("one.sin"));
  EXPECT_EQ(one.status, 0) << one.err;
  ASSERT_EQ(radio.Stop(), 0);

  const std::string log = dir.Path("wire.log");
  StartRadio({"--stray", "2", "--log", log});
  const CliRun two = Read(dir.Path("two.sin"));
  EXPECT_EQ(two.status, 1);
  EXPECT_EQ(CountLines(two.err, texts::kCommunicationError), 1) << two.err;
  EXPECT_FALSE(Exists(dir.Path("two.sin")));
  EXPECT_EQ(Greetings(LoggedBytes(ReadFile(log), "pc")), 15);

  // Retry starts again at attempt 1: fifteen more greetings, then the question again.
  WriteFile(log, "");
  const CliRun retried = Read(dir.Path("two.sin"), {"--retries", "1"});
  EXPECT_EQ(retried.status, 1);
  EXPECT_EQ(CountLines(retried.err, texts::kCommunicationError), 2) << retried.err;
  EXPECT_EQ(Greetings(LoggedBytes(ReadFile(log), "pc")), 30);
}

TEST_F(HandshakeFailure, WrongAnswerToTheHandshakeAcknowledgement) {
  StartRadio({"--bad-handshake-ack"});
  const CliRun run = Write(RadioFile(NewImage()));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(CountLines(run.err, texts::kCommunicationError), 1) << run.err;
}

TEST_F(HandshakeFailure, TypeMismatchAskedOnceAndCancelLeavesTheRadioAlone) {
  const MemoryImage memory = PatternImage(5);
  const std::string saved = dir.Path("radio-saved.sin");
  StartRadio({"--image", RadioFile(memory), "--type", "0x38", "--save", saved});
  // A New image carries type 0xFF, which never matches a radio's own type.
  const std::string file = RadioFile(NewImage(), "new.sin");

  const CliRun cancelled = Write(file);
  EXPECT_EQ(cancelled.status, 1);
  EXPECT_EQ(CountLines(cancelled.err, texts::kTypeMismatch), 1) << cancelled.err;

  const CliRun accepted = Write(file, {"--accept-type-mismatch"});
  EXPECT_EQ(accepted.status, 0) << accepted.err;
  EXPECT_EQ(CountLines(accepted.err, texts::kTypeMismatch), 1) << "the restarted handshake must not ask again";
  EXPECT_EQ(ImageFromFile(saved), ThroughGrid(NewImage()));

  // The cancelled write sent no block.
  ASSERT_EQ(radio.Stop(), 0);
  StartRadio({"--image", RadioFile(memory), "--type", "0x38", "--save", saved});
  EXPECT_EQ(Write(file).status, 1);
  EXPECT_EQ(radio.Stop(), 0);
  EXPECT_EQ(ImageFromFile(saved), memory);
}

TEST_F(HandshakeFailure, RadioOfAnyTypeIsNeverChecked) {
  MemoryImage file = PatternImage(6);
  file[settings::kRadioType] = 0x3A;
  StartRadio({"--type", "0xFF"});
  const CliRun run = Write(RadioFile(file));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(CountLines(run.err, texts::kTypeMismatch), 0);
}

TEST_F(HandshakeFailure, ShortIdentFailsTheModelCheckButNotARead) {
  StartRadio({"--type", "0x38", "--ident-length", "3"});
  const CliRun read = Read(dir.Path("read.sin"));
  EXPECT_EQ(read.status, 0) << read.err;

  const CliRun write = Write(RadioFile(NewImage()));
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(CountLines(write.err, texts::kCommunicationError), 1) << write.err;
  EXPECT_EQ(CountLines(write.err, texts::kTypeMismatch), 0) << write.err;
}

class BlockFailure : public TransferTest {};

TEST_F(BlockFailure, UnacknowledgedWriteBlockInterruptsTheProgram) {
  const MemoryImage memory = PatternImage(7);
  const MemoryImage file = PatternImage(8);
  const MemoryImage sent = ThroughGrid(file);
  const std::string saved = dir.Path("radio-saved.sin");
  StartRadio({"--image", RadioFile(memory), "--type", "0xFF", "--nak-write", "7", "--save", saved});
  const CliRun run = Write(RadioFile(file, "file.sin"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(CountLines(run.err, texts::kProgramInterrupt), 1) << run.err;
  ASSERT_EQ(radio.Stop(), 0);
  const MemoryImage after = ImageFromFile(saved);
  for (int n = 0; n < 264; ++n)
    EXPECT_EQ(Block(after, n), Block(n < 7 ? sent : memory, n)) << "block " << n;
}

TEST_F(BlockFailure, ShortReadReplyLeavesNoFile) {
  StartRadio({"--short-reply", "4:9"});
  // An earlier file of the same name survives a failed read.
  const std::string output = dir.Path("read.sin");
  WriteFile(output, "earlier");
  const CliRun nine = Read(output);
  EXPECT_EQ(nine.status, 1);
  EXPECT_EQ(CountLines(nine.err, texts::kShortReply), 1) << nine.err;
  EXPECT_EQ(ReadFile(output), "earlier");
  ASSERT_EQ(radio.Stop(), 0);

  // A reply that is missing data bytes is not stored either.
  StartRadio({"--short-reply", "0:11"});
  const CliRun eleven = Read(output);
  EXPECT_EQ(eleven.status, 1);
  EXPECT_EQ(CountLines(eleven.err, texts::kShortReply), 1) << eleven.err;
  EXPECT_EQ(ReadFile(output), "earlier");
}

TEST_F(BlockFailure, WrongAnswerToTheReadAcknowledgement) {
  StartRadio({"--bad-read-ack", "263"});
  const CliRun run = Read(dir.Path("read.sin"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(CountLines(run.err, texts::kReadAckFailed), 1) << run.err;
  EXPECT_FALSE(Exists(dir.Path("read.sin"))) << "the last block's failure still fails the read";
}

TEST_F(BlockFailure, InterruptCancelsARunningRead) {
  const std::string log = dir.Path("wire.log");
  StartRadio({"--log", log}, /*paced=*/true);
  ChildProcess cli;
  ASSERT_TRUE(cli.Spawn({ToolPath("tools/cli/korvel-cli"), "read", "--port", radio.Device(), "-o",
                         dir.Path("read.sin")}));
  // Interrupt once blocks are moving.
  for (int i = 0; i < 1000 && LoggedBytes(ReadFile(log), "radio").size() < 100; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  cli.Signal(SIGINT);
  EXPECT_EQ(cli.Wait(15'000), 1) << cli.Stderr();
  EXPECT_NE(cli.Stderr().find("cancelled"), std::string::npos) << cli.Stderr();
  EXPECT_FALSE(Exists(dir.Path("read.sin")));
}

}  // namespace
}  // namespace korvel::test
