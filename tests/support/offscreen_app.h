#pragma once
// The QApplication of a GUI test, on the offscreen platform unless the
// environment names another. Created once, on the first call, which also
// turns Qt's warnings about misuse across threads into test failures.

class QApplication;

namespace korvel::test {

QApplication& EnsureApplication();

}  // namespace korvel::test
