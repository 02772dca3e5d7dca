// A run host for tests: records every call and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "host/run_host.h"

namespace quillon::testing {

struct BindQuestion {
  int kind = 0;
  Lines unbound_old;
  Lines unbound_new;
};

class FakeHost : public RunHost {
 public:
  void AddLogLine(const Text& line) override { log.push_back(ToUtf8(line)); }
  BindReply AskBindings(int kind, const Lines& unbound_old, const Lines& unbound_new) override {
    questions.push_back({kind, unbound_old, unbound_new});
    if (replies.empty()) return BindReply{true, {}, {}};  // an unscripted question cancels
    BindReply reply = replies.front();
    replies.pop_front();
    return reply;
  }
  bool AskProjectName() override {
    ++name_requests;
    return name_answer;
  }
  Lines FileListItems() override { return file_list; }
  void ShowError(const Text& title, const Text& message) override {
    errors.push_back(ToUtf8(title) + ": " + ToUtf8(message));
  }

  std::vector<std::string> log;
  std::vector<std::string> errors;
  std::vector<BindQuestion> questions;
  std::deque<BindReply> replies;
  Lines file_list;
  int name_requests = 0;
  bool name_answer = false;
};

}  // namespace quillon::testing
