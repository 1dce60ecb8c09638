// Qt is not built with ThreadSanitizer: its event queue, QThread and
// QWaitCondition hand over through futexes the tool cannot see, so it reports
// Qt's own allocations and waits (a queued call made on the worker and freed
// on the window's thread, the QtTest watchdog) as races. Calls that Qt's
// libraries make are ignored; every access of our own code is still checked,
// and the link's reports travel under a std::mutex the tool does see.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Test.so.6\n";
}
#endif
