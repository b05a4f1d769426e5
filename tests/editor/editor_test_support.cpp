#include "editor_test_support.h"

#include <QApplication>
#include <QTest>

#include "offscreen_app.h"


namespace korvel::test {
namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnsureApplication(); }
};

[[maybe_unused]] auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

void SetRecord(MemoryImage& image, int channel, const std::array<std::uint8_t, 16>& bytes) {
  std::copy(bytes.begin(), bytes.end(), ChannelRecordOf(image, channel).begin());
}

void ViewTest::SetUp() {
  document.OnNewDocument();
  view = std::make_unique<CKovView>(document, prompter);
  view->resize(view->FormSize());
  view->show();
  QApplication::setActiveWindow(view.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
  view->OnInitialUpdate();
}

void ViewTest::TearDown() { view.reset(); }

ChannelGrid& ViewTest::Grid() const { return *view->findChild<ChannelGrid*>(); }
TypeSettingsBar& ViewTest::Bar() const { return *view->findChild<TypeSettingsBar*>(); }
QLineEdit* ViewTest::FrequencyBox() const {
  return view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit"));
}
QComboBox* ViewTest::ToneChooser() const {
  return view->findChild<QComboBox*>(QStringLiteral("toneChooser"));
}
QComboBox* ViewTest::OptionChooser(int column) const {
  return view->findChild<QComboBox*>(QStringLiteral("optionChooser%1").arg(column));
}

void ViewTest::Open(const MemoryImage& image) {
  document.Image() = image;
  view->OnInitialUpdate();
}

}  // namespace korvel::test
