// One entry function per fuzz target. The libFuzzer targets and the
// regression tests in tests/fuzz_regressions call the same functions, so an
// input saved from a crash is replayed exactly as the fuzzer ran it.
// Header-only: the test build and the fuzz build share no library for it.
#pragma once

#include <ftw.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/step1.h"
#include "check/step2.h"
#include "check/todo_entry.h"
#include "generate/language_files.h"
#include "generate/step4.h"
#include "io/disk_file_system.h"
#include "io/file_io.h"
#include "io/overlay_file_system.h"
#include "project/project_file.h"
#include "project/settings_file.h"
#include "project/user_gadget_file.h"
#include "rewrite/step3.h"
#include "run/generation_run.h"
#include "run/undo_last_run.h"
#include "run/undo_record.h"
#include "model/workspace.h"
#include "text/encoding.h"

namespace quillon::fuzz {

// Removes `dir` with everything in it, links not followed.
inline void RemoveTree(const std::string& dir) {
  ::nftw(
      dir.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
      FTW_DEPTH | FTW_PHYS);
}

// A scratch folder for the whole process, removed at exit. In memory when
// the machine has /dev/shm: the readers are fed through files, and a disk
// with fsync would cut the executions per second tenfold.
class ScratchFolder {
 public:
  ScratchFolder() {
    struct stat st;
    std::string pattern = ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && ::access("/dev/shm", W_OK) == 0
                              ? "/dev/shm/quillon-fuzz-XXXXXX"
                              : "/tmp/quillon-fuzz-XXXXXX";
    if (::mkdtemp(&pattern[0])) path_ = pattern + "/";
  }
  ~ScratchFolder() {
    if (!path_.empty()) RemoveTree(path_);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline const std::string& ScratchDir() {
  static ScratchFolder folder;
  if (folder.path().empty()) std::abort();  // nothing can run without it
  return folder.path();
}

inline void WriteWhole(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

// A broken invariant stops the fuzzer like a crash, so it keeps the input;
// the regression tests define QUILLON_FUZZ_COUNT_FAILURES and count instead.
inline int& BrokenInvariants() {
  static int count = 0;
  return count;
}

inline void Require(bool condition) {
  if (condition) return;
#ifdef QUILLON_FUZZ_COUNT_FAILURES
  ++BrokenInvariants();
#else
  std::abort();
#endif
}

// Answers every question of a run without a window; counts what it is told.
class SilentHost final : public RunHost {
 public:
  explicit SilentHost(Lines files) : files_(std::move(files)) {}
  void AddLogLine(const Text& line) override { log.push_back(line); }
  // Binds old and new names pairwise, so the renaming of Step 3 runs too.
  BindReply AskBindings(int, const Lines& unbound_old, const Lines& unbound_new) override {
    BindReply reply;
    for (size_t i = 0; i < unbound_old.size() && i < unbound_new.size(); ++i) {
      reply.todo.push_back(MakeTodoEntry(unbound_old[i], unbound_new[i]));
    }
    return reply;
  }
  bool AskProjectName() override { return false; }
  Lines FileListItems() override { return files_; }
  void ShowError(const Text&, const Text&) override { ++errors; }

  Lines log;
  int errors = 0;

 private:
  Lines files_;
};

// --- project file ---------------------------------------------------------
// Loads the bytes as a project file; a loaded project written back and read
// again must give the same model.
inline bool FuzzProjectFile(const uint8_t* data, size_t size) {
  const std::string path = ScratchDir() + "fuzz.pbm";
  WriteWhole(path, data, size);
  SilentHost host({});
  auto ws = std::make_unique<Workspace>();
  if (!LoadProject(*ws, FromUtf8(path), host)) return false;

  const std::string bytes = ProjectFileBytes(*ws, /*from_this_run=*/false);
  const std::string again_path = ScratchDir() + "again.pbm";
  WriteWhole(again_path, bytes.data(), bytes.size());
  auto again = std::make_unique<Workspace>();
  Require(LoadProject(*again, FromUtf8(again_path), host));
  const Project& a = ws->project;
  const Project& b = again->project;
  Require(a.files == b.files);
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) Require(SwitchAt(a.switches, i) == SwitchAt(b.switches, i));
  Require(a.saved_windows == b.saved_windows && a.saved_menu_bars == b.saved_menu_bars &&
          a.saved_menu_items == b.saved_menu_items && a.saved_status_bars == b.saved_status_bars &&
          a.saved_tool_bars == b.saved_tool_bars && a.saved_gadgets == b.saved_gadgets);
  return true;
}

// --- settings file --------------------------------------------------------
// Reads the bytes as QN4.INI; writing the values read into that same file and
// reading it again must give them back.
inline SettingsValues FuzzSettings(const uint8_t* data, size_t size) {
  const std::string path = ScratchDir() + "QN4.INI";
  WriteWhole(path, data, size);
  const SettingsValues values = ReadSettings(path);
  Require(WriteSettings(path, values));
  const SettingsValues again = ReadSettings(path);
  Require(again.last_path == values.last_path && again.project_path == values.project_path);
  for (size_t i = 0; i < kSwitchKeys.size(); ++i) {
    Require(SwitchAt(again.defaults, i) == SwitchAt(values.defaults, i));
  }
  return values;
}

// --- Catalog --------------------------------------------------------------
// Decodes the bytes as the previous run's Catalog is decoded and parses it;
// the Catalog written from the map must parse to the same map.
inline size_t FuzzCatalog(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const BomInfo bom = DetectBom(bytes);
  LanguageMap strings;
  ParseCatalog(DecodeLines(bytes.substr(bom.length), bom.format), strings);

  LanguageMap again;
  ParseCatalog(CatalogLines(strings), again);
  Require(again.Size() == strings.Size());
  strings.ForEach([&again](const Text& key, const Text& value) {
    const Text* other = again.Find(key);
    Require(other != nullptr && *other == value);
  });
  return strings.Size();
}

// --- user gadget list -----------------------------------------------------
// Reads the bytes as UserList.INI, then builds the keyword sets from it as
// the start-up does. The list saved by "Ok" must read back the same.
inline size_t FuzzUserList(const uint8_t* data, size_t size) {
  const std::string path = ScratchDir() + "UserList.INI";
  WriteWhole(path, data, size);
  Lines names;
  Require(ReadUserGadgetFile(path, &names));
  Lines loaded;
  SilentHost host({});
  LoadUserGadgets(path, &loaded, host);
  Require(loaded == names && host.errors == 0);
  const KeywordSets sets = BuildKeywordSets(names);
  Require(sets.gadget_keywords.size() >= BuiltinGadgetKeywords().size());

  const std::string saved_path = ScratchDir() + "Saved.INI";
  Require(SaveUserGadgets(saved_path, names, host));
  Lines again;
  Require(ReadUserGadgetFile(saved_path, &again));
  Require(again == names);
  return names.size();
}

// --- a whole generation run on one form -----------------------------------
// A fixed project around the fuzzed form: a Main.pb that includes a user file
// (or the input's own Main.pb after kMainMarker), every switch on, outputs
// recorded in memory so the folder never changes.
struct RunSummary {
  bool step1_ok = false;
  bool ready = false;
  size_t log_lines = 0;
  size_t outputs = 0;
};

// Separates the form from an optional Main.pb in a form-run input, so the
// fuzzer also reaches the Main.pb and include-file passes.
inline constexpr std::string_view kMainMarker = "\n;#main\n";

inline const std::string& DefaultMainPb() {
  static const std::string text =
      "XIncludeFile \"CommonFile.pb\"\n"
      "XIncludeFile \"UserCode.pb\"\n"
      "Open_Win()\n"
      "Repeat\n"
      "  Event = WaitWindowEvent()\n"
      "Until Event = #PB_Event_CloseWindow\n";
  return text;
}

inline const std::string& FormProjectDir() {
  static const std::string dir = [] {
    const std::string d = ScratchDir() + "project/";
    if (::mkdir(d.c_str(), 0700) != 0) std::abort();
    const std::string user_code =
        "Procedure Helper()\n"
        "  SetGadgetText(#Win_Btn, \"Hello\")\n"
        "EndProcedure\n";
    const std::string catalog = "Default;Language\n\"Hello\";\"Hallo\"\n";
    WriteWhole(d + "UserCode.pb", user_code.data(), user_code.size());
    WriteWhole(d + "Catalog", catalog.data(), catalog.size());
    return d;
  }();
  return dir;
}

inline RunSummary FuzzFormRun(const uint8_t* data, size_t size) {
  const std::string dir = FormProjectDir();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t marker = input.find(kMainMarker);
  const std::string_view form = input.substr(0, marker);
  const std::string_view main_pb = marker == std::string_view::npos ? std::string_view(DefaultMainPb())
                                                                    : input.substr(marker + kMainMarker.size());
  WriteWhole(dir + "Form.pbf", form.data(), form.size());
  WriteWhole(dir + "Main.pb", main_pb.data(), main_pb.size());

  auto ws = std::make_unique<Workspace>();
  OverlayFileSystem overlay(ws->disk);
  ws->files = &overlay;
  ws->project.project_path = FromUtf8(dir + "Fuzz.pbm");
  ws->project.has_name = true;
  ws->project.files = {"Form.pbf"};
  ws->project.switches = Switches{1, 1, 1, 1, 1, 1, 1};
  ws->project.saved_windows = {"Win"};
  ws->project.saved_gadgets = {"Win_Btn"};
  ws->user_gadgets = {"MyGadget"};
  ws->keywords = BuildKeywordSets(ws->user_gadgets);
  SilentHost host(ws->project.files);

  RunSummary summary;
  summary.step1_ok = RunStep1(*ws, host);
  if (summary.step1_ok) {
    Require(CheckConstants(*ws, host));  // the host never cancels
    RunStep3(*ws, host);
    RunStep4(*ws, host);
    summary.ready = true;
  }
  summary.log_lines = host.log.size();
  summary.outputs = overlay.outputs().size();
  // The form is the designer's file: a run reads it and never writes it.
  for (const OverlayFileSystem::Output& output : overlay.outputs()) Require(output.path != dir + "Form.pbf");
  return summary;
}

// --- undo record ------------------------------------------------------------
// The bytes as the undo record of a fixed project, undone in a dry run.
// Whatever the record names, undo may only name files inside the project
// folder (links resolved) or the include files its Main.pb names, and the dry
// run changes nothing. A record that decodes encodes to one that decodes the
// same.
struct UndoSummary {
  size_t undone = 0;  // " -> Restored" and " -> Removed" lines
  size_t kept = 0;    // " -> Kept" lines
};

// The fixture's files, by path below the scratch folder, and their bytes.
inline const std::vector<std::pair<std::string, std::string>>& UndoFixtureFiles() {
  static const std::vector<std::pair<std::string, std::string>> files = {
      {"undo/Main.pb", "XIncludeFile \"Inc.pbi\"\nXIncludeFile \"../undo-outside/Shared.pbi\"\n"},
      {"undo/Inc.pbi", "; include\n"},
      {"undo/EventMenu.pb", "; menu\n"},
      {"undo-outside/Secret.pb", "secret\n"},
      {"undo-outside/Shared.pbi", "; shared\n"},
  };
  return files;
}

// undo/ is the project; undo/Out is a link to the folder beside it.
inline const std::string& UndoProjectDir() {
  static const std::string dir = [] {
    const std::string root = ScratchDir();
    for (const char* folder : {"undo", "undo-outside", "undo/Backup", "undo/Backup/undo"}) {
      if (::mkdir((root + folder).c_str(), 0700) != 0) std::abort();
    }
    for (const auto& [path, bytes] : UndoFixtureFiles()) WriteWhole(root + path, bytes.data(), bytes.size());
    if (::symlink("../undo-outside", (root + "undo/Out").c_str()) != 0) std::abort();
    return root + "undo/";
  }();
  return dir;
}

// The real path of `path`, or of its folder followed by its name when it
// does not exist; empty when neither resolves.
inline std::string RealPathOrFolder(const std::string& path) {
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    std::string out(real);
    std::free(real);
    return out;
  }
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size()) return std::string();
  char* folder = ::realpath(path.substr(0, slash).c_str(), nullptr);
  if (!folder) return std::string();
  std::string out = std::string(folder) + path.substr(slash);
  std::free(folder);
  return out;
}

inline bool MayBeUndone(const std::string& path) {
  static const std::string project = RealPathOrFolder(UndoProjectDir()) + "/";
  static const std::string shared = RealPathOrFolder(ScratchDir() + "undo-outside/Shared.pbi");
  const std::string real = RealPathOrFolder(path);
  return !real.empty() && (real.compare(0, project.size(), project) == 0 || real == shared);
}

inline UndoSummary FuzzUndoRecord(const uint8_t* data, size_t size) {
  const std::string dir = UndoProjectDir();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  UndoSummary summary;
  UndoRecord record;
  if (DecodeUndoRecord(bytes, dir, &record)) {
    UndoRecord again;
    Require(DecodeUndoRecord(EncodeUndoRecord(record, dir), dir, &again));
    Require(again.entries.size() == record.entries.size());
    for (size_t i = 0; i < again.entries.size() && i < record.entries.size(); ++i) {
      const UndoEntry& a = record.entries[i];
      const UndoEntry& b = again.entries[i];
      Require(a.path == b.path && a.written_sha256 == b.written_sha256 && a.created == b.created &&
              a.old_bytes == b.old_bytes);
    }
  }

  const std::string record_path = UndoRecordPath(dir);
  WriteWhole(record_path, bytes.data(), bytes.size());
  auto ws = std::make_unique<Workspace>();
  const std::string undone_prefixes[] = {" -> Restored ", " -> Removed "};
  UndoLastRun(dir, ws->disk, /*dry_run=*/true, [&](const Text& line) {
    const std::string text = ToUtf8(line);
    for (const std::string& prefix : undone_prefixes) {
      if (text.compare(0, prefix.size(), prefix) != 0) continue;
      ++summary.undone;
      Require(MayBeUndone(text.substr(prefix.size())));
    }
    if (text.compare(0, 9, " -> Kept ") == 0) ++summary.kept;
  });
  // A dry run leaves every file as it was, the record included.
  for (const auto& [path, expected] : UndoFixtureFiles()) {
    std::FILE* f = std::fopen((ScratchDir() + path).c_str(), "rb");
    Require(f != nullptr);
    if (!f) continue;
    std::string now(expected.size() + 1, '\0');
    now.resize(std::fread(&now[0], 1, now.size(), f));
    std::fclose(f);
    Require(now == expected);
  }
  Require(::access(record_path.c_str(), F_OK) == 0);
  return summary;
}

// --- event files of the last run ---------------------------------------------
// The input as the event files a user edited since the last run, in a fixed
// project whose constants did not change: "EventGadget.pb", then after a line
// ";#menu" "EventMenu.pb" and after a line ";#window" "EventWindow.pb". A
// regeneration adds procedures but keeps every line of the user's, in order,
// except an editor's option block at the end.
struct EventSummary {
  size_t files_checked = 0;  // event files written and compared
};

inline const std::string& EventFormSource() {
  static const std::string text =
      "Enumeration FormWindow\n  #Win\nEndEnumeration\n"
      "Enumeration FormMenu\n  #Menu_Open\n  #Menu_Quit\nEndEnumeration\n"
      "Enumeration FormGadget\n  #Win_Name\n  #Win_Go\nEndEnumeration\n"
      "Procedure OpenWin(x = 0, y = 0, width = 300, height = 120)\n"
      "  OpenWindow(#Win, x, y, width, height, \"Events\", #PB_Window_SystemMenu)\n"
      "  CreateMenu(0, WindowID(#Win))\n"
      "  MenuTitle(\"File\")\n"
      "  MenuItem(#Menu_Open, \"Open\")\n"
      "  MenuItem(#Menu_Quit, \"Quit\")\n"
      "  StringGadget(#Win_Name, 10, 10, 200, 20, \"\")\n"
      "  ButtonGadget(#Win_Go, 220, 10, 70, 25, \"Go\")\n"
      "EndProcedure\n";
  return text;
}

// The project file as the command line loads it.
inline bool LoadEventProject(const std::string& dir, Workspace& ws) {
  SilentHost host({});
  ws.project.project_path = FromUtf8(dir + "Events.pbm");
  ws.keywords = BuildKeywordSets({});
  return LoadProject(ws, ws.project.project_path, host);
}

// The project after its first generation on disk: the event files then
// standing there are the baseline the inputs replace.
inline const std::string& EventProjectDir() {
  static const std::string dir = [] {
    const std::string d = ScratchDir() + "events/";
    if (::mkdir(d.c_str(), 0700) != 0) std::abort();
    const std::string project = "[FILES]\nForm.pbf\n";
    WriteWhole(d + "Form.pbf", EventFormSource().data(), EventFormSource().size());
    WriteWhole(d + "Main.pb", DefaultMainPb().data(), DefaultMainPb().size());
    WriteWhole(d + "UserCode.pb", "", 0);
    WriteWhole(d + "Events.pbm", project.data(), project.size());
    auto ws = std::make_unique<Workspace>();
    if (!LoadEventProject(d, *ws)) std::abort();
    SilentHost run_host(ws->project.files);
    if (RunGeneration(*ws, run_host) != RunOutcome::kReady) std::abort();
    return d;
  }();
  return dir;
}

// The bytes of EventGadget.pb, EventMenu.pb and EventWindow.pb after the
// first generation.
inline const std::vector<std::string>& EventBaseline() {
  static const std::vector<std::string> bytes = [] {
    std::vector<std::string> out;
    for (const char* name : {"EventGadget.pb", "EventMenu.pb", "EventWindow.pb"}) {
      std::string content;
      if (!ReadFileBytes(EventProjectDir() + name, &content)) std::abort();
      out.push_back(content);
    }
    return out;
  }();
  return bytes;
}

// A line's characters, a byte that is not part of strict UTF-8 taken as the
// character of that number: a UTF-8 file's stray byte, written back one byte
// per character and read again, is the same character.
inline std::u32string Characters(const Text& line) {
  std::u32string out;
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  for (size_t i = 0; i < line.size();) {
    const unsigned char b = bytes[i];
    const size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    bool valid = length > 0 && i + length <= line.size();
    char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; valid && k < length; ++k) {
      valid = (bytes[i + k] & 0xC0) == 0x80;
      c = (c << 6) | (bytes[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and numbers past U+10FFFF are not UTF-8.
    const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (valid && length > 1) valid = c >= least && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    if (!valid) c = b;
    out.push_back(c);
    i += valid ? length : 1;
  }
  return out;
}

// Whether `part` is a subsequence of `whole`, line by line.
inline bool KeepsInOrder(const Lines& part, const Lines& whole) {
  size_t at = 0;
  for (const Text& line : whole) {
    if (at < part.size() && Characters(line) == Characters(part[at])) ++at;
  }
  return at == part.size();
}

// The user's lines without what an editor appends, which a run drops: in the
// trailing lines that start with ";" (an empty line ends them), from the last
// "; IDE Options" line on, else a last separator line.
inline Lines WithoutEditorTail(Lines lines) {
  size_t run = lines.size();
  while (run > 0 && !lines[run - 1].empty() && lines[run - 1][0] == ';') --run;
  for (size_t i = lines.size(); i > run; --i) {
    if (lines[i - 1].compare(0, 13, "; IDE Options") == 0) {
      lines.resize(i - 1);
      return lines;
    }
  }
  if (!lines.empty() && lines.back() == "; " + std::string(87, '*')) lines.pop_back();
  return lines;
}

inline EventSummary FuzzEventFiles(const uint8_t* data, size_t size) {
  const std::string dir = EventProjectDir();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kMenuMarker = "\n;#menu\n";
  constexpr std::string_view kWindowMarker = "\n;#window\n";
  const size_t menu = input.find(kMenuMarker);
  const size_t window = input.find(kWindowMarker, menu == std::string_view::npos ? 0 : menu);
  const size_t gadget_end = std::min(menu, window);
  struct Piece {
    std::string name;
    std::string_view bytes;
  };
  // A file the input leaves out keeps the baseline's bytes.
  const std::vector<std::string>& baseline = EventBaseline();
  std::vector<Piece> pieces = {
      {"EventGadget.pb", input.substr(0, gadget_end)}, {"EventMenu.pb", baseline[1]}, {"EventWindow.pb", baseline[2]}};
  if (menu != std::string_view::npos) {
    const size_t start = menu + kMenuMarker.size();
    pieces[1].bytes = input.substr(start, window == std::string_view::npos ? window : window - start);
  }
  if (window != std::string_view::npos) pieces[2].bytes = input.substr(window + kWindowMarker.size());

  auto ws = std::make_unique<Workspace>();
  Require(LoadEventProject(dir, *ws));
  // What the run will read, decoded as it decodes the file.
  std::vector<Lines> before;
  for (const Piece& piece : pieces) {
    WriteWhole(dir + piece.name, piece.bytes.data(), piece.bytes.size());
    TextFile file;
    Require(ReadTextFile(dir + piece.name, &file));
    before.push_back(WithoutEditorTail(file.lines));
  }
  OverlayFileSystem overlay(ws->disk);
  ws->files = &overlay;
  ws->keep_undo_record = false;
  SilentHost run_host(ws->project.files);
  EventSummary summary;
  RunGeneration(*ws, run_host);
  for (size_t i = 0; i < pieces.size(); ++i) {
    for (const OverlayFileSystem::Output& output : overlay.outputs()) {
      if (output.path != dir + pieces[i].name) continue;
      const std::string copy = dir + "written.pb";
      WriteWhole(copy, output.bytes.data(), output.bytes.size());
      TextFile after;
      Require(ReadTextFile(copy, &after));
      Require(KeepsInOrder(before[i], after.lines));
      ++summary.files_checked;
    }
  }
  // The next input starts from the baseline's state of the other files.
  ws->files = &ws->disk;
  return summary;
}

// --- dry run against the real run ---------------------------------------------
// The input as in FuzzFormRun (a form, then optionally Main.pb), in two copies
// of one project: a real run in the first, a dry run in the second. The dry
// run logs what the real run logs (but for the folder's name), changes
// nothing, and its outputs are what the real run wrote, Backup/ aside.
struct DryRunSummary {
  bool ready = false;
  size_t written = 0;  // files the real run changed or made outside Backup/
};

using FileTree = std::map<std::string, std::string>;

// Every regular file below `dir` but Backup/, by path below `dir`.
inline FileTree TreeWithoutBackup(const std::string& dir) {
  static FileTree* tree = nullptr;
  static size_t skip = 0;
  FileTree result;
  tree = &result;
  skip = dir.size();
  ::nftw(
      dir.c_str(),
      [](const char* p, const struct stat* st, int kind, struct FTW*) {
        const std::string rel = std::string(p).substr(std::min(skip, std::strlen(p)));
        if (kind == FTW_F && S_ISREG(st->st_mode) && rel.rfind("Backup/", 0) != 0) {
          std::string bytes;
          if (ReadFileBytes(p, &bytes)) (*tree)[rel] = bytes;
        }
        return 0;
      },
      16, FTW_PHYS);
  tree = nullptr;
  return result;
}

// A fresh copy of the project at `dir`, with `form` and `main_pb`.
inline void WriteRunProject(const std::string& dir, std::string_view form, std::string_view main_pb) {
  RemoveTree(dir);
  if (::mkdir(dir.c_str(), 0700) != 0) std::abort();
  // The project of FuzzFormRun: every switch on, one window and gadget saved.
  static const std::string project = [] {
    auto ws = std::make_unique<Workspace>();
    ws->project.files = {"Form.pbf"};
    ws->project.switches = Switches{1, 1, 1, 1, 1, 1, 1};
    ws->project.saved_windows = {"Win"};
    ws->project.saved_gadgets = {"Win_Btn"};
    return ProjectFileBytes(*ws, /*from_this_run=*/false);
  }();
  const std::string user_code = "Procedure Helper()\n  SetGadgetText(#Win_Btn, \"Hello\")\nEndProcedure\n";
  WriteWhole(dir + "Form.pbf", form.data(), form.size());
  WriteWhole(dir + "Main.pb", main_pb.data(), main_pb.size());
  WriteWhole(dir + "UserCode.pb", user_code.data(), user_code.size());
  WriteWhole(dir + "Fuzz.pbm", project.data(), project.size());
}

// One run of the project at `dir` through `files` (the disk when null).
inline std::vector<std::string> RunProjectAt(const std::string& dir, OverlayFileSystem* overlay, bool* ready) {
  auto ws = std::make_unique<Workspace>();
  SilentHost load_host({});
  ws->project.project_path = FromUtf8(dir + "Fuzz.pbm");
  ws->user_gadgets = {"MyGadget"};
  ws->keywords = BuildKeywordSets(ws->user_gadgets);
  if (!LoadProject(*ws, ws->project.project_path, load_host)) std::abort();
  if (overlay) {
    ws->files = overlay;
    ws->keep_undo_record = false;
  }
  SilentHost host(ws->project.files);
  *ready = RunGeneration(*ws, host) == RunOutcome::kReady;
  ws->files = &ws->disk;
  std::vector<std::string> log;
  for (const Text& line : host.log) log.push_back(ToUtf8(line));
  return log;
}

inline DryRunSummary FuzzDryRun(const uint8_t* data, size_t size) {
  const std::string real = ScratchDir() + "real/";
  const std::string dry = ScratchDir() + "dry/";
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t marker = input.find(kMainMarker);
  const std::string_view form = input.substr(0, marker);
  const std::string_view main_pb = marker == std::string_view::npos ? std::string_view(DefaultMainPb())
                                                                    : input.substr(marker + kMainMarker.size());
  WriteRunProject(real, form, main_pb);
  WriteRunProject(dry, form, main_pb);
  const FileTree before = TreeWithoutBackup(dry);

  DryRunSummary summary;
  bool dry_ready = false;
  std::vector<std::string> real_log = RunProjectAt(real, nullptr, &summary.ready);
  DiskFileSystem disk;
  OverlayFileSystem overlay(disk);
  const std::vector<std::string> dry_log = RunProjectAt(dry, &overlay, &dry_ready);
  Require(dry_ready == summary.ready);
  for (std::string& line : real_log) {
    for (size_t at = line.find(real); at != std::string::npos; at = line.find(real, at + dry.size())) {
      line.replace(at, real.size(), dry);
    }
  }
  Require(dry_log == real_log);
  Require(TreeWithoutBackup(dry) == before);

  const FileTree written = TreeWithoutBackup(real);
  FileTree previewed = before;
  for (const OverlayFileSystem::Output& output : overlay.outputs()) {
    if (output.path.rfind(dry, 0) != 0) continue;  // an include file elsewhere
    const std::string rel = output.path.substr(dry.size());
    if (rel.rfind("Backup/", 0) != 0) previewed[rel] = output.bytes;
  }
  Require(previewed == written);
  for (const auto& [rel, bytes] : written) {
    const auto old = before.find(rel);
    if (old == before.end() || old->second != bytes) ++summary.written;
  }
  return summary;
}

// --- an include file under renaming --------------------------------------------
// The input as the user's include file of a fixed project whose window and
// gadget were renamed in the designer; the run binds the old names to the
// new ones. A line of the include file may only change where it names one of
// the old names ("#Old..." or "Open_Old"); every other line keeps its bytes,
// and the file keeps its number of lines.
struct IncludeSummary {
  size_t changed_lines = 0;
};

inline const std::string& IncludeProjectDir() {
  static const std::string dir = [] {
    const std::string d = ScratchDir() + "include/";
    if (::mkdir(d.c_str(), 0700) != 0) std::abort();
    const std::string form =
        "Enumeration FormWindow\n  #Main\nEndEnumeration\n"
        "Enumeration FormGadget\n  #Main_Btn\nEndEnumeration\n"
        "Procedure OpenMain(x = 0, y = 0, width = 300, height = 120)\n"
        "  OpenWindow(#Main, x, y, width, height, \"Include\", #PB_Window_SystemMenu)\n"
        "  ButtonGadget(#Main_Btn, 220, 10, 70, 25, \"Go\")\n"
        "EndProcedure\n";
    const std::string main_pb = "XIncludeFile \"CommonFile.pb\"\nXIncludeFile \"User.pbi\"\nOpen_Main()\n";
    WriteWhole(d + "Form.pbf", form.data(), form.size());
    WriteWhole(d + "Main.pb", main_pb.data(), main_pb.size());
    return d;
  }();
  return dir;
}

inline Lines IncludeLines(std::string_view bytes) {
  const BomInfo bom = DetectBom(bytes);
  return DecodeLines(bytes.substr(bom.length), bom.format);
}

// Whether `line` names one of the old names as a rename may change it.
inline bool NamesAnOldName(const Text& line, const std::vector<Replacement>& replacements) {
  const Text upper = Upper(line);
  for (const Replacement& r : replacements) {
    const Text old_name = Upper(r.old_name);
    if (upper.find("#" + old_name) != Text::npos || upper.find("OPEN_" + old_name) != Text::npos) return true;
  }
  return false;
}

inline IncludeSummary FuzzIncludeFile(const uint8_t* data, size_t size) {
  const std::string dir = IncludeProjectDir();
  WriteWhole(dir + "User.pbi", data, size);
  auto ws = std::make_unique<Workspace>();
  OverlayFileSystem overlay(ws->disk);
  ws->files = &overlay;
  ws->keep_undo_record = false;
  ws->project.project_path = FromUtf8(dir + "Include.pbm");
  ws->project.has_name = true;
  ws->project.files = {"Form.pbf"};
  ws->project.saved_windows = {"Win"};
  ws->project.saved_gadgets = {"Win_Win_Btn"};
  ws->keywords = BuildKeywordSets({});
  SilentHost host(ws->project.files);
  IncludeSummary summary;
  if (RunGeneration(*ws, host) != RunOutcome::kReady) return summary;
  for (const OverlayFileSystem::Output& output : overlay.outputs()) {
    if (output.path != dir + "User.pbi") continue;
    const Lines before = IncludeLines(std::string_view(reinterpret_cast<const char*>(data), size));
    const Lines after = IncludeLines(output.bytes);
    Require(before.size() == after.size());
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
      if (before[i] == after[i]) continue;
      ++summary.changed_lines;
      Require(NamesAnOldName(before[i], ws->check.replacements));
    }
  }
  ws->files = &ws->disk;
  return summary;
}

}  // namespace quillon::fuzz
