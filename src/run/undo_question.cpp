#include "run/undo_question.h"

#include <ctime>

#include "io/disk_file_system.h"
#include "run/undo_last_run.h"

namespace quillon {

namespace {

Text LocalTime(long long seconds) {
  const std::time_t when = static_cast<std::time_t>(seconds);
  std::tm local{};
  char text[32] = "";
  if (localtime_r(&when, &local)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return FromUtf8(text);
}

}  // namespace

Text UndoQuestionText(const std::string& project_directory) {
  const long long ended = UndoRecordTime(project_directory);
  // What the real undo would log, from a disk of its own: the dry run's
  // reads must not count as the window's.
  DiskFileSystem disk;
  Text stops;
  const UndoOutcome outcome = UndoLastRun(project_directory, disk, /*dry_run=*/true, [&stops](const Text& line) {
    if (line.compare(0, 9, " -> Kept ") == 0) {
      stops += "\n" + line.substr(9);
    } else if (line.compare(0, 10, " -> Error ") == 0 || line.compare(0, 11, " -> Error: ") == 0) {
      stops += "\n" + line.substr(4);
    }
  });
  if (outcome == UndoOutcome::kNothingToUndo) return Text();
  Text text = "Undo the last completed generation run";
  if (ended >= 0) text += ", which ended " + LocalTime(ended);
  text += "? Every file it wrote gets back what it held before.";
  if (outcome != UndoOutcome::kRestored) {
    text += "\n\nUndo is all or nothing, and it would change nothing now:" + stops;
  }
  return text;
}

}  // namespace quillon
