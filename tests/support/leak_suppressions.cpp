// Leak checking stays on for these tests, except for fontconfig's cache,
// which lives until the process ends. Read by the leak checker when the
// tests are built with the address sanitizer; unused otherwise.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
