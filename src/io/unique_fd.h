// A file descriptor that is closed when it goes out of scope.
#pragma once

#include <unistd.h>

namespace quillon {

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Hands the descriptor over to the caller.
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now and says whether the close succeeded: for a written file a
  // failed close can mean lost data.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace quillon
