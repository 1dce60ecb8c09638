#include "commands.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "aprs_passcode.h"
#include "beacon_check.h"
#include "beacon_packet.h"
#include "cli_platform.h"
#include "com_names.h"
#include "config_driver.h"
#include "exit_codes.h"
#include "field_rows.h"
#include "file_kind.h"
#include "files_platform.h"
#include "image_compare.h"
#include "image_file.h"
#include "image_rules.h"
#include "json_text.h"
#include "link_platform.h"
#include "local_time.h"
#include "problem_report.h"
#include "station_check.h"
#include "station_notes.h"
#include "station_place.h"
#include "system_serial_port.h"
#include "text_form.h"
#include "trace_secrets.h"
#include "transfer_runner.h"
#include "typed_com_number.h"
#include "vardex_version.h"
#include "zip_archive.h"

namespace vardex {
namespace {

// Written whole, never cut at a byte it quotes, and with the control
// characters of what it quotes from a file escaped, line by line.
void PrintError(const std::string& text) {
  std::string line = "vardex: ";
  std::string_view rest = text;
  for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
    line += EscapeControls(rest.substr(0, end)) + "\n";
    rest.remove_prefix(end + 1);
  }
  line += EscapeControls(rest) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void PrintOut(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

int Fail(int code, const std::string& text) {
  PrintError(text);
  return code;
}

// The window's start-up state, whose clock fields show the PC's time.
ConfigSettings StartUpSettings() {
  ConfigSettings settings;
  FillClockFromSystemTime(settings.clock, SystemLocalTimeSource{});
  return settings;
}

// An image file whose checksum holds.
std::optional<ConfigImage> ReadCheckedImage(const std::string& path, std::string& error) {
  std::optional<ConfigImage> image = ReadImageFile(path, error);
  if (image) {
    error = ChecksumProblem(path, *image);
    if (!error.empty())
      image.reset();
  }
  return image;
}

// What the read checksum error means on a device that was never written.
std::string NoConfigurationAdvice(const std::string& port) {
  return "The device holds no valid configuration, as a new or erased one does, so there is "
         "nothing on it to back up: write the start-up values (vardex defaults -o start.img, "
         "then vardex write " +
         port + " start.img) or a configuration file of yours, then read it again.";
}

std::optional<TransferSettings> PrepareTransfer(const CommandLine& line, std::string& error) {
  const std::string& port = line.operands[0];
  const std::optional<std::string> path = ResolvePortArgument(port, error);
  if (!path)
    return std::nullopt;
  TransferSettings settings;
  settings.portName = port;
  settings.path = *path;
  settings.timeout = std::chrono::milliseconds(static_cast<long>(line.timeoutSeconds * 1000));
  // Log lines and the bar would share the line: verbose runs go without it.
  settings.progressBar = !line.quiet && !line.verbose && ::isatty(STDERR_FILENO) == 1;
  settings.verbose = line.verbose;
  return settings;
}

}  // namespace

int RunPorts(const CommandLine& line) {
  PrintOut(PortListing(line.json));
  return kExitDone;
}

int RunLink(const CommandLine& line) {
  const std::string& name = line.operands[0];
  const std::optional<int> number = TypedComNumber(name);
  if (!number)
    return Fail(kExitUsage, "link wants COM1 to COM9, not \"" + name + "\"");
  const std::string linkDir = DefaultLinkDirectory();
  if (linkDir.empty())
    return Fail(kExitBadFile, "HOME is not set: there is no folder for the COM links");
  if (line.remove) {
    const ComLinkResult removed = RemoveComLink(*number, linkDir);
    if (!removed.done)
      return Fail(kExitBadFile, removed.error);
    PrintOut(name + (removed.existed ? ": link " + removed.linkPath + " removed\n"
                                     : ": had no link in " + linkDir + "\n"));
    return kExitDone;
  }
  const ComLinkResult made = MakeComLink(*number, line.operands[1], linkDir, kSerialByIdDirectory);
  if (!made.done)
    return Fail(made.device.empty() ? kExitDevice : kExitBadFile, made.error);
  std::string text = name + " now leads to " + made.target;
  if (made.target != made.device)
    text += " (" + made.device + " today)";
  PrintOut(text + "\n");
  return kExitDone;
}

int RunRead(const CommandLine& line) {
  std::string error;
  const auto transfer = PrepareTransfer(line, error);
  if (!transfer)
    return Fail(kExitDevice, error);
  TransferSequence read = TransferSequence::Read();
  const TransferOutcome outcome = RunSequence(read, *transfer);
  if (outcome.exitCode != kExitDone)
    return Fail(outcome.exitCode, outcome.error);
  if (read.Ended() != TransferSequence::End::kRead)
    return Fail(kExitDevice, line.operands[0] + ": " + std::string(kReadChecksumErrorLine) + "\n" +
                                 NoConfigurationAdvice(line.operands[0]));
  if (!WriteImageFile(line.output, *read.ReadBack(), error))
    return Fail(kExitBadFile, error);
  PrintOut(line.output + ": configuration read from " + line.operands[0] + "\n");
  return kExitDone;
}

int RunWrite(const CommandLine& line) {
  const std::string& file = line.operands[1];
  std::string error;
  const std::optional<ConfigImage> image = ReadCheckedImage(file, error);
  if (!image)
    return Fail(kExitBadFile, error);
  ConfigImage rebuilt;
  const StepResult result = RebuildImage(*image, rebuilt);
  if (!result.Succeeded())
    return Fail(kExitBadFile, file + ": " + FailureText(result));
  // Bytes that no field shows go back as they were read, so a backup is
  // always restorable; a field the window would send otherwise is refused.
  ConfigImage unshownKept = rebuilt;
  std::string keptNote;
  KeepUnshownBytes(*image, unshownKept, keptNote);
  if (unshownKept.bytes != image->bytes) {
    std::string text = file + ": the window would not send this image as it is; it differs in:";
    for (const ByteDifference& d : ExplainDifferences(*image, unshownKept))
      text += "\n  " + DescribeDifference(d);
    return Fail(kExitBadFile, text);
  }
  rebuilt = unshownKept;
  if (line.clock == ClockChoice::kPc) {
    ConfigSettings settings = SettingsFromImage(*image);
    FillClockFromSystemTime(settings.clock, SystemLocalTimeSource{});
    const StepResult withClock = BuildConfigImage(settings, rebuilt);
    if (!withClock.Succeeded())
      return Fail(kExitBadFile, file + ": " + FailureText(withClock));
    std::string again;
    KeepUnshownBytes(*image, rebuilt, again);
  }
  if (!keptNote.empty())
    PrintError("note: " + file + ": " + keptNote + " shown by no field, written back as read");
  const auto transfer = PrepareTransfer(line, error);
  if (!transfer)
    return Fail(kExitDevice, error);
  TransferSequence write = TransferSequence::Write(rebuilt, !line.noVerify);
  const TransferOutcome outcome = RunSequence(write, *transfer);
  const std::string& port = line.operands[0];
  const std::string unverified = "written, but not verified: ";
  if (outcome.exitCode != kExitDone) {
    // Still waiting for the read-back: the write itself went through.
    const bool written = write.Request().operation == Operation::kConfigRead;
    return Fail(outcome.exitCode, (written ? unverified : std::string()) + outcome.error);
  }
  switch (write.Ended()) {
    case TransferSequence::End::kWritten:
      PrintOut(port + ": configuration written from " + file + "\n");
      return kExitDone;
    case TransferSequence::End::kDiffers:
      return Fail(kExitDevice, port + ": verification failed: the device holds " +
                                   DescribeMismatch(*write.Mismatch()) + " differently from " +
                                   file);
    case TransferSequence::End::kVerified:
      PrintOut(port + ": configuration written from " + file + " and verified\n");
      return kExitDone;
    default:
      break;
  }
  return Fail(kExitDevice, unverified + port + ": " + std::string(kReadChecksumErrorLine));
}

namespace {

// What was wrong with a firmware file, in more words than the window's box.
std::string FirmwareFileProblem(const std::string& file, FirmwareLoadStatus status) {
  std::string reason = UnreadableFileReason(file);
  if (!reason.empty())
    return reason;
  if (status == FirmwareLoadStatus::kTooLong) {
    std::error_code error;
    return file + ": Firmware file too long: " +
           std::to_string(std::filesystem::file_size(FileSystemPath(file), error)) +
           " bytes, at most " + std::to_string(FirmwareBuffer::kCapacity) + ".";
  }
  return file + ": could not be read whole";
}

}  // namespace

int RunFlash(const CommandLine& line) {
  const std::string& file = line.operands[1];
  // A FIFO or a device named as the file is refused before it is opened.
  if (const std::string reason = UnreadableFileReason(file); !reason.empty())
    return Fail(kExitBadFile, reason);
  // Read once; the same bytes go to the device, shared, never copied.
  const FirmwareLoad load = LoadFirmwareFile(file.c_str());
  if (load.status != FirmwareLoadStatus::kLoaded)
    return Fail(kExitBadFile, FirmwareFileProblem(file, load.status));
  if (load.firmware->size == 0)
    return Fail(kExitBadFile, file + ": " + std::string(kEmptyFirmwareMessage));
  const std::string_view kind = NotFirmwareKind(std::string_view(
      reinterpret_cast<const char*>(load.firmware->bytes.data()), load.firmware->size));
  if (!kind.empty() && !line.force) {
    return Fail(kExitBadFile, file + ": this file is " + std::string(kind) +
                                  ", not a firmware; nothing sent (--force sends it all the same)");
  }
  std::string error;
  const auto transfer = PrepareTransfer(line, error);
  if (!transfer)
    return Fail(kExitDevice, error);
  const std::string& port = line.operands[0];
  const bool backUp = !line.backup.empty();
  TransferSequence upload = TransferSequence::Upload(load.firmware, backUp);
  const TransferOutcome outcome =
      RunSequence(upload, *transfer, [&line](const ConfigImage& image, std::string& saveError) {
        return WriteImageFile(line.backup, image, saveError);
      });
  const std::string notUploaded = "backup failed, firmware not uploaded: ";
  const bool backingUp = backUp && upload.Request().operation == Operation::kConfigRead;
  if (outcome.exitCode != kExitDone)
    return Fail(outcome.exitCode, (backingUp ? notUploaded : std::string()) + outcome.error);
  switch (upload.Ended()) {
    case TransferSequence::End::kBackupUnreadable:
      return Fail(kExitDevice, notUploaded + port + ": " + std::string(kReadChecksumErrorLine));
    case TransferSequence::End::kBackupNotSaved:
      return Fail(kExitBadFile, notUploaded + outcome.error);
    default:
      break;
  }
  if (backUp)
    PrintOut(line.backup + ": configuration read from " + port + "\n");
  PrintOut(port + ": firmware " + file + " sent (" +
           std::to_string(TransferRequest::Upload(load.firmware).PageCount()) + " pages)\n");
  return kExitDone;
}

// show, diff and export read files whose checksum may be off; they say so.
std::optional<ConfigImage> ReadShownImage(const std::string& path, bool& checksumHolds) {
  std::string error;
  std::optional<ConfigImage> image = ReadImageFile(path, error);
  if (!image) {
    PrintError(error);
    return std::nullopt;
  }
  const std::string problem = ChecksumProblem(path, *image);
  checksumHolds = problem.empty();
  if (!checksumHolds)
    PrintError(problem + "; the window would not show this image");
  return image;
}

// The place the position names, for scripts: decimal degrees as numbers.
std::string PlaceJson(const RadioSettings& radio) {
  const std::optional<StationPlace> place = ReadStationPlace(radio.latitude, radio.longitude);
  if (!place)
    return "null";
  return "{\"locator\": " + JsonString(MaidenheadLocator(*place)) +
         ", \"latitude\": " + DecimalDegrees(place->latitude) +
         ", \"longitude\": " + DecimalDegrees(place->longitude) + "}";
}

int RunShow(const CommandLine& line) {
  const std::string& file = line.operands[0];
  bool checksumHolds = false;
  const std::optional<ConfigImage> image = ReadShownImage(file, checksumHolds);
  if (!image)
    return kExitBadFile;
  ConfigSettings settings = SettingsFromImage(*image);
  if (!line.json) {
    PrintOut(ShowText(settings));
    return kExitDone;
  }
  std::string json = "{\"file\": " + JsonString(file) +
                     ", \"checksum_ok\": " + (checksumHolds ? "true" : "false") +
                     ", \"position\": " + PlaceJson(settings.radio) + ", \"pages\": [";
  const PageTable* page = nullptr;
  for (const FieldRow& row : ImageFieldRows()) {
    if (row.page != page) {
      json += page == nullptr ? "\n  {" : "]},\n  {";
      page = row.page;
      json += "\"page\": " + JsonString(page->caption) + ", \"fields\": [";
    } else {
      json += ", ";
    }
    json += "{\"label\": " + JsonString(row.control->label) +
            ", \"value\": " + JsonString(ShownValue(*row.control, settings)) + "}";
  }
  json += "]}\n]}\n";
  PrintOut(json);
  return kExitDone;
}

int RunDiff(const CommandLine& line) {
  bool holdsA = false;
  bool holdsB = false;
  const std::optional<ConfigImage> a = ReadShownImage(line.operands[0], holdsA);
  if (!a)
    return kExitBadFile;
  const std::optional<ConfigImage> b = ReadShownImage(line.operands[1], holdsB);
  if (!b)
    return kExitBadFile;
  ConfigSettings left = SettingsFromImage(*a);
  ConfigSettings right = SettingsFromImage(*b);
  std::string text;
  std::string json;
  for (const FieldRow& row : ImageFieldRows()) {
    const std::string va = ShownValue(*row.control, left);
    const std::string vb = ShownValue(*row.control, right);
    if (va == vb)
      continue;
    text += "[" + std::string(row.page->caption) + "] " + row.control->label + ": " +
            QuoteValue(va) + " -> " + QuoteValue(vb) + "\n";
    json += std::string(json.empty() ? "\n  " : ",\n  ") +
            "{\"page\": " + JsonString(row.page->caption) +
            ", \"label\": " + JsonString(row.control->label) + ", \"a\": " + JsonString(va) +
            ", \"b\": " + JsonString(vb) + "}";
  }
  // Bytes that no page shows (reserved bytes, a text's tail behind its zero).
  std::string hidden;
  for (std::size_t i = ConfigImage::kChecksumFirst; i < ConfigImage::kSize; ++i) {
    if (a->bytes[i] == b->bytes[i])
      continue;
    std::size_t end = i;
    while (end + 1 < ConfigImage::kSize && a->bytes[end + 1] != b->bytes[end + 1]) ++end;
    hidden += (hidden.empty() ? "" : ", ") + std::to_string(i) +
              (end > i ? "-" + std::to_string(end) : "");
    i = end;
  }
  if (line.json) {
    PrintOut("{\"a\": " + JsonString(line.operands[0]) +
             ", \"b\": " + JsonString(line.operands[1]) + ", \"same_bytes\": " +
             (hidden.empty() ? "true" : "false") + ", \"fields\": [" + json + "]}\n");
    return hidden.empty() ? kExitDone : kExitDiffer;
  }
  if (text.empty() && !hidden.empty())
    text = "no field differs; the bytes differ at " + hidden + "\n";
  PrintOut(text);
  // As diff and cmp: 1 when the images differ.
  return hidden.empty() ? kExitDone : kExitDiffer;
}

int RunCheck(const CommandLine& line) {
  const std::string& file = line.operands[0];
  std::string error;
  const std::optional<ConfigImage> image = ReadImageFile(file, error);
  if (!image)
    return Fail(kExitBadFile, error);
  const std::string checksum = ChecksumProblem(file, *image);
  const ConfigSettings settings = SettingsFromImage(*image);
  std::vector<std::string> failures = AllRuleFailures(settings);
  if (!line.all && failures.size() > 1)
    failures.resize(1);
  std::vector<ByteDifference> differences;
  if (failures.empty()) {
    ConfigImage rebuilt;
    RebuildImage(*image, rebuilt);
    if (rebuilt.bytes != image->bytes)
      differences = ExplainDifferences(*image, rebuilt);
  }
  const bool ok = checksum.empty() && failures.empty() && differences.empty();
  // The station check is advice: it changes the status only under --strict.
  const std::vector<StationFinding> notes = CheckStation(settings, SystemPcClock());
  const int status = !ok ? kExitBadFile : (line.strict && !notes.empty() ? kExitNotes : kExitDone);
  if (line.json) {
    std::string json = "{\"file\": " + JsonString(file) + ", \"ok\": " + (ok ? "true" : "false") +
                       ", \"checksum_ok\": " + (checksum.empty() ? "true" : "false") +
                       ", \"failures\": [";
    for (std::size_t i = 0; i < failures.size(); ++i)
      json += (i == 0 ? "" : ", ") + JsonString(failures[i]);
    json += "], \"differences\": [";
    for (std::size_t i = 0; i < differences.size(); ++i) {
      const ByteDifference& d = differences[i];
      json += std::string(i == 0 ? "" : ", ") + "{\"first\": " + std::to_string(d.first) +
              ", \"last\": " + std::to_string(d.last) + ", \"field\": " + JsonString(d.owner) + "}";
    }
    json += "], \"notes\": [";
    for (std::size_t i = 0; i < notes.size(); ++i) {
      const StationFinding& n = notes[i];
      json += std::string(i == 0 ? "" : ", ") + "{\"field\": " + JsonString(n.key) +
              ", \"place\": " + JsonString(FindingPlaceText(n)) +
              ", \"on_air\": " + JsonString(n.onAir) + ", \"to_do\": " + JsonString(n.advice) +
              ", \"source\": " + JsonString(n.source) + "}";
    }
    PrintOut(json + "]}\n");
    return status;
  }
  std::string text;
  if (!checksum.empty())
    text += checksum + "\n";
  for (const std::string& failure : failures)
    text.append(file).append(": ").append(EscapeControls(failure)) += '\n';
  if (!differences.empty()) {
    text += file + ": the window would not send this image as it is; it differs in:\n";
    for (const ByteDifference& d : differences) text += "  " + DescribeDifference(d) + "\n";
  }
  if (ok)
    text = file + ": ok\n";
  if (!notes.empty()) {
    text += file + ": " + NotesCountText(notes.size()) +
            " (the station check's advice; the rules above decide the write):\n";
    for (const StationFinding& note : notes) text += FindingText(note);
  }
  PrintOut(text);
  return status;
}

namespace {

std::string_view VerdictWord(AprsVerdict verdict) {
  switch (verdict) {
    case AprsVerdict::kRead:
      return "read";
    case AprsVerdict::kReadWarning:
      return "warning";
    case AprsVerdict::kRefused:
      break;
  }
  return "refused";
}

std::string BeaconJson(const BeaconOnAir& beacon, const std::vector<std::string>& toDo) {
  const AprsReading& r = beacon.reading;
  std::string json = "{\"number\": " + std::to_string(beacon.number) +
                     ", \"rf\": " + (beacon.toRf ? "true" : "false") +
                     ", \"aprs_is\": " + (beacon.toAprsIs ? "true" : "false") +
                     ", \"packet\": " + JsonString(beacon.Packet()) +
                     ", \"verdict\": " + JsonString(VerdictWord(r.verdict)) +
                     ", \"kind\": " + JsonString(KindText(r)) + ", \"symbol\": " +
                     JsonString(r.symbol ? std::string{r.symbol->table, r.symbol->code} : "") +
                     ", \"symbol_name\": " + JsonString(r.symbol ? SymbolName(*r.symbol) : "");
  if (r.position && r.verdict != AprsVerdict::kRefused) {
    char degrees[64];
    std::snprintf(degrees, sizeof degrees, "%.6f, \"longitude\": %.6f", r.position->latitude,
                  r.position->longitude);
    json += std::string(", \"latitude\": ") + degrees;
  }
  json += ", \"problem\": " + JsonString(r.problem) + ", \"to_do\": [";
  for (std::size_t i = 0; i < toDo.size(); ++i) json += (i == 0 ? "" : ", ") + JsonString(toDo[i]);
  return json + "]}";
}

}  // namespace

int RunBeacons(const CommandLine& line) {
  const std::string& file = line.operands[0];
  bool checksumHolds = false;
  const std::optional<ConfigImage> image = ReadShownImage(file, checksumHolds);
  if (!image)
    return kExitBadFile;
  const ConfigSettings settings = SettingsFromImage(*image);
  const PcClock clock = SystemPcClock();
  std::string text;
  std::string json;
  for (const BeaconOnAir& beacon : BeaconsOnAir(settings, clock.utc)) {
    // The station check's notes on this beacon; the first restates what the
    // reading already says when it is not plainly read.
    const std::vector<StationFinding> notes = BeaconNotes(settings, beacon.number, clock);
    std::vector<std::string> toDo;
    std::string said;
    for (std::size_t i = 0; i < notes.size(); ++i) {
      toDo.push_back(notes[i].advice);
      if (i > 0 || beacon.reading.verdict == AprsVerdict::kRead)
        said += "  Note: " + notes[i].onAir + "\n";
      said += "  To do: " + notes[i].advice + "\n";
    }
    const std::string ways = beacon.toRf && beacon.toAprsIs ? "RF and APRS-IS"
                             : beacon.toRf                  ? "RF"
                                                            : "APRS-IS";
    text += "Beacon " + std::to_string(beacon.number) + " (" + ways +
            "): " + EscapeControls(beacon.Packet()) + "\n  " + DescribeReading(beacon.reading) +
            "\n";
    text += said;
    json += std::string(json.empty() ? "\n  " : ",\n  ") + BeaconJson(beacon, toDo);
  }
  if (line.json) {
    PrintOut("{\"file\": " + JsonString(file) +
             ", \"checksum_ok\": " + (checksumHolds ? "true" : "false") + ", \"time_utc\": " +
             JsonString(FillSpecialStrings("<date>", settings.radio, clock.utc)) +
             ", \"beacons\": [" + json + "]}\n");
    return kExitDone;
  }
  if (text.empty())
    text = file + ": no beacon is on (one needs a message, and RF or IS chosen)\n";
  PrintOut(text);
  return kExitDone;
}

int RunPasscode(const CommandLine& line) {
  const std::string& call = line.operands[0];
  if (BaseCallsign(call).empty())
    return Fail(kExitUsage, "\"" + call + "\" has no callsign before its SSID");
  PrintOut(std::to_string(AprsIsPasscode(call)) + "\n");
  return kExitDone;
}

int RunExport(const CommandLine& line) {
  const std::string& file = line.operands[0];
  std::string error;
  const std::optional<ConfigImage> image = ReadCheckedImage(file, error);
  if (!image)
    return Fail(kExitBadFile, error);
  if (!WriteFileAtomically(line.output, ExportText(SettingsFromImage(*image)), error))
    return Fail(kExitBadFile, error);
  return kExitDone;
}

namespace {

// ":LINE: [Page] label" for the line of `text` that sets `field`; empty
// when the text leaves it out.
std::string WhereFieldIsSet(std::string_view text, const FieldRow* field) {
  if (field == nullptr)
    return {};
  const auto trim = [](std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
      return std::string_view();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
  };
  std::string_view section;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const std::string_view lineText = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (lineText.size() >= 2 && lineText.front() == '[' && lineText.back() == ']') {
      section = lineText.substr(1, lineText.size() - 2);
      continue;
    }
    const std::size_t equals = lineText.find('=');
    if (section == field->page->caption && equals != std::string_view::npos &&
        trim(lineText.substr(0, equals)) == field->control->label) {
      return ":" + std::to_string(number) + ": [" + std::string(field->page->caption) + "] " +
             field->control->label;
    }
  }
  return {};
}

// Builds `settings` as "Write config" would and writes the image to `path`.
int BuildAndSave(const ConfigSettings& settings, const std::string& source,
                 const std::string& path) {
  ConfigImage image;
  const StepResult result = BuildConfigImage(settings, image);
  if (!result.Succeeded())
    return Fail(kExitBadFile, source + ": " + FailureText(result));
  std::string error;
  if (!WriteImageFile(path, image, error))
    return Fail(kExitBadFile, error);
  return kExitDone;
}

}  // namespace

int RunImport(const CommandLine& line) {
  const std::string& textFile = line.operands[0];
  std::string error;
  ConfigSettings settings;
  if (line.base.empty()) {
    settings = StartUpSettings();
  } else {
    const std::optional<ConfigImage> base = ReadCheckedImage(line.base, error);
    if (!base)
      return Fail(kExitBadFile, error);
    settings = SettingsFromImage(*base);
  }
  const std::optional<std::string> text = ReadTextFile(textFile, error);
  if (!text)
    return Fail(kExitBadFile, error);
  if (!ImportText(*text, textFile, settings, error))
    return Fail(kExitBadFile, error);
  // A rule the text breaks, or a value its field cannot hold, is named
  // with the line that set the field; nothing is cut silently.
  ConfigImage image;
  const StepResult result = BuildConfigImage(settings, image);
  if (!result.Succeeded()) {
    return Fail(kExitBadFile, textFile +
                                  WhereFieldIsSet(*text, FieldOfMember(settings, result.field)) +
                                  ": " + FailureText(result));
  }
  if (const FieldRow* cut = FirstFieldNotKept(settings, image)) {
    ConfigSettings stored = settings;
    ShowConfigImage(image, stored);
    return Fail(kExitBadFile, textFile + WhereFieldIsSet(*text, cut) + ": \"" +
                                  ShownValue(*cut->control, settings) +
                                  "\" does not fit its field, which would keep \"" +
                                  ShownValue(*cut->control, stored) + "\"");
  }
  if (!WriteImageFile(line.output, image, error))
    return Fail(kExitBadFile, error);
  return kExitDone;
}

int RunDefaults(const CommandLine& line) {
  return BuildAndSave(StartUpSettings(), "start-up settings", line.output);
}

namespace {

// The configuration file a report names: an image file as it is (a broken
// checksum too), or a text form over the start-up settings. A file that is
// neither is left out with the reason; one that cannot be read fails.
bool AddConfiguration(const std::string& file, ProblemReport& report, std::string& error) {
  std::string imageError;
  if (std::optional<ConfigImage> image = ReadImageFile(file, imageError)) {
    const std::string problem = ChecksumProblem(file, *image);
    report.configurationNote = "the image file " + file + (problem.empty() ? "" : "; " + problem);
    report.image = *image;
    return true;
  }
  const std::optional<std::string> text = ReadTextFile(file, error);
  if (!text)
    return false;
  ConfigSettings settings = StartUpSettings();
  std::string importError;
  if (!LooksLikeText(*text)) {
    report.configurationNote = imageError + ", and no text form: left out";
  } else if (!ImportText(*text, file, settings, importError)) {
    report.configurationNote = importError + ": left out";
  } else {
    report.configurationNote = "the text form " + file + " over the start-up settings";
    report.settings = settings;
  }
  return true;
}

ZipTime LocalZipTime() {
  const std::tm now = SystemLocalTimeSource{}.Now();
  return {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec};
}

}  // namespace

int RunReport(const CommandLine& line) {
  ProblemReport report;
  report.program = std::string("vardex (VARDEX Configurator) ") + kVersion + "\nbuild: " + kBuild +
                   "\nsystem: " + SystemDescription() + "\n";
  report.ports = PortListing(false);
  report.log =
      "vardex keeps no log between runs. Run the command that failed again with --verbose "
      "(its log lines) and --trace FILE (the bytes on the port), and send what they print and "
      "write beside this report.\n";
  report.trace = TraceTextWithoutSecrets(SystemPortTrace());
  std::string error;
  if (!line.operands.empty() && !AddConfiguration(line.operands[0], report, error))
    return Fail(kExitBadFile, error);
  const std::vector<ZipEntry> files = ProblemReportFiles(std::move(report));
  if (!WriteFileAtomically(line.output, ZipArchive(files, LocalZipTime()), error))
    return Fail(kExitBadFile, error);
  PrintOut(line.output + ": problem report written (" + std::to_string(files.size()) +
           " files, passwords masked); nothing was sent anywhere\n");
  return kExitDone;
}

int RunCommand(const CommandLine& line) {
  const int status = line.command->run(line);
  // Written whatever the outcome: a failed transfer is when it is wanted.
  std::string error;
  if (!line.trace.empty() &&
      !WriteFileAtomically(line.trace, TraceTextWithoutSecrets(SystemPortTrace()), error))
    return Fail(status == kExitDone ? kExitBadFile : status, error);
  return status;
}

}  // namespace vardex
