#pragma once
// The QApplication of a GUI test, on the offscreen platform unless the
// environment names another. Created once, on the first call, which also
// turns Qt's warnings about misuse across threads into test failures.

#include <QString>
#include <ostream>

class QApplication;
class QWidget;

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace korvel::test {

QApplication& EnsureApplication();

// Clicks the push button of that text in the widget; fails the test when
// there is none.
void ClickButton(QWidget& widget, const QString& text);

}  // namespace korvel::test
