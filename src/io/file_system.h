// The one interface every read and write of a generation run goes through.
// Three implementations: the disk, the overlay of a dry run (it keeps the
// run's writes in memory and serves them back to later reads) and an
// in-memory one for tests. The rules for links, modes, owners and files that
// change while a run works on them live behind this interface, once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class FileKind { kMissing, kRegular, kDirectory, kOther };

// What identifies one version of a file: a file replaced, rewritten in
// place, truncated or touched has another identity afterwards.
struct FileIdentity {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t mtime_seconds = 0;
  std::int64_t mtime_nanoseconds = 0;

  bool operator==(const FileIdentity& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           mtime_seconds == o.mtime_seconds && mtime_nanoseconds == o.mtime_nanoseconds;
  }
  bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

enum class WriteResult {
  kWritten,
  kFailed,   // refused by the write rules or failed on the way; nothing changed
  kChanged,  // another program changed the file since the run read it; not written
};

enum class LockResult { kLocked, kBusy, kUnavailable };

// Held while a run works on a project folder; released when destroyed.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

// A file written in pieces, then put in place of its path at once: undo's
// record, which copies old files into itself without holding them whole.
// Dropped before Finish, it leaves nothing behind.
class StreamedFile {
 public:
  virtual ~StreamedFile() = default;
  virtual bool Append(std::string_view bytes) = 0;
  // Overwrites bytes already written, from `offset` on.
  virtual bool Overwrite(std::uint64_t offset, std::string_view bytes) = 0;
  // Cuts the file back to its first `size` bytes.
  virtual bool Truncate(std::uint64_t size) = 0;
  virtual std::uint64_t Size() const = 0;
  // Flushes it and renames it over whatever entry stands at its path (a
  // link is replaced, never followed).
  virtual WriteResult Finish() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The whole content of a regular file (links followed). The identity the
  // file had when the read began is remembered for ReplaceFile's check.
  virtual bool ReadFile(const std::string& path, std::string* bytes) = 0;
  // Up to `count` bytes from the start of a regular file.
  virtual bool ReadHead(const std::string& path, size_t count, std::string* bytes) = 0;
  // Links followed; a symlink loop is kOther.
  virtual FileKind KindOf(const std::string& path) = 0;
  virtual FileIdentity IdentityOf(const std::string& path) = 0;
  // Entry names without "." and "..", in the order the folder lists them.
  virtual bool ListFolder(const std::string& path, std::vector<std::string>* names) = 0;
  // A private folder (mode 0700 when created). True only when `path` is a
  // real folder afterwards, not a link, owned by the project folder's owner.
  virtual bool MakePrivateFolder(const std::string& path) = 0;
  // Replaces `path` by `bytes` atomically under the write rules.
  virtual WriteResult ReplaceFile(const std::string& path, std::string_view bytes) = 0;
  // Copies a regular file (a link followed only to one) in a stream into
  // `destination`, replacing the entry there without following it. The copy
  // takes the source's permission bits without set-id and sticky bits.
  virtual WriteResult CopyFile(const std::string& source, const std::string& destination) = 0;
  // Begins the program's own file at `relative` below the folder `base`:
  // every folder on the way must be a real folder (not a link) of the owner
  // of `base`. False when it cannot be begun there.
  virtual bool BeginOwnedFile(const std::string& base, const std::string& relative,
                              std::unique_ptr<StreamedFile>* file) = 0;
  // What ReplaceFile and CopyFile would return, short of the writing
  // itself: the overlay of a dry run asks the disk so, to report exactly
  // what a real run reports.
  virtual WriteResult CheckReplace(const std::string& path) = 0;
  virtual WriteResult CheckCopy(const std::string& source, const std::string& destination) = 0;
  // Forgets what was read of `path`: the next replace overwrites whatever
  // stands there, as when the user saves the project on purpose.
  virtual void ForgetRead(const std::string& path) = 0;
  // Keeps a second run of the same project out while `lock` lives.
  virtual LockResult LockFolder(const std::string& path, std::unique_ptr<FolderLock>* lock) = 0;
  // The folder whose owner the write rules trust; empty: each target's own
  // folder.
  virtual void SetProjectFolder(const std::string& path) = 0;
};

}  // namespace quillon
