// vardex: the configurator's command-line companion.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#else
#include <QCoreApplication>
#endif
#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "completion_words.h"
#include "exit_codes.h"

namespace {

#ifdef _WIN32
// The arguments as UTF-8, from the wide command line: argv holds them in the
// ANSI code page, where a name outside it is already lost ("?").
std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return args;
}
#endif

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
  // The same bytes as on Linux: "\n" ends a line, in pipes and files too
  // (JSON and text forms stay byte-identical across the platforms).
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The progress bar clears its line with an escape sequence, which the
  // console takes only in its terminal mode.
  const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode))
    SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  // Messages quote names as UTF-8.
  SetConsoleOutputCP(CP_UTF8);
  const std::vector<std::string> args = Utf8Arguments();
#else
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vardex"));
  const std::vector<std::string> args(argv + 1, argv + argc);
#endif
  const vardex::ParsedCommandLine parsed = vardex::ParseCommandLine(args);
  if (!parsed.line) {
    std::fprintf(stderr, "vardex: %s\nTry \"vardex --help\".\n", parsed.error.c_str());
    return vardex::kExitUsage;
  }
  const vardex::CommandLine& line = *parsed.line;
  if (line.version) {
    std::fputs(vardex::VersionText().c_str(), stdout);
    return vardex::kExitDone;
  }
  if (line.completionWords) {
    std::fputs(vardex::CompletionWords(line.operands).c_str(), stdout);
    return vardex::kExitDone;
  }
  if (line.help) {
    const std::string text =
        line.command != nullptr ? vardex::CommandHelpText(*line.command) : vardex::UsageText();
    std::fputs(text.c_str(), stdout);
    return vardex::kExitDone;
  }
  return vardex::RunCommand(line);
}
