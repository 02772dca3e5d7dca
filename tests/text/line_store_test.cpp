#include "text/line_store.h"

#include <gtest/gtest.h>

#include <random>

#include "io/file_io.h"
#include "io/memory_file_system.h"
#include "support/corpus.h"
#include "text/encoding.h"

namespace quillon {
namespace {

// Random edits applied to a store and to a plain list side by side: every
// line must read back as the list holds it. The edits cover lines at and
// around the length where a line moves out of the shared buffer, lines set
// from views into the store itself, and truncation followed by growth.
TEST(LineStore, ReadsBackWhatAListOfLinesHolds) {
  constexpr size_t kLong = (size_t{1} << 20) - 1;  // the first length kept on its own
  std::mt19937 random(7);
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  auto some_line = [&]() -> Text {
    static const size_t lengths[] = {0, 1, 7, 15, 16, 40, kLong - 1, kLong, kLong + 3};
    const size_t length = lengths[pick(std::size(lengths))];
    return Text(length, static_cast<char>('a' + pick(26)));
  };
  LineStore store;
  Lines model;
  for (int step = 0; step < 400; ++step) {
    const size_t kind = model.empty() ? 0 : pick(6);
    if (kind == 0) {
      model.push_back(some_line());
      store.push_back(model.back());
    } else if (kind == 1) {
      const size_t i = pick(model.size());
      model[i] = some_line();
      store.Set(i, model[i]);
    } else if (kind == 2) {  // a view into the store: another line
      const size_t i = pick(model.size()), j = pick(model.size());
      model[i] = model[j];
      store.Set(i, store[j]);
    } else if (kind == 3) {  // a view into the store: a part of the same line
      const size_t i = pick(model.size());
      const size_t from = model[i].empty() ? 0 : pick(model[i].size());
      model[i] = model[i].substr(from);
      store.Set(i, store[i].substr(from));
    } else if (kind == 4) {
      const size_t count = pick(model.size() + 2);
      if (count < model.size()) model.resize(count);
      store.Truncate(count);
    } else if (step % 97 == 0) {
      model.clear();
      store.clear();
    }
    ASSERT_EQ(store.size(), model.size()) << "step " << step;
    for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(store[i], model[i]) << "step " << step << ", line " << i;
  }
  EXPECT_EQ(store.ToLines(), model);
  EXPECT_EQ(LineStore::Of(model), store);

  // Only the lines an edit reports changed are kept, and the counts add up.
  LineStore words = LineStore::Of({"ab", "xx", "abab", ""});
  const long replaced = EditEachLine(words, [](Text& line) {
    long count = 0;
    for (size_t at = line.find("ab"); at != Text::npos; at = line.find("ab", at + 3), ++count)
      line.replace(at, 2, "abc");
    return count;
  });
  EXPECT_EQ(replaced, 3);
  EXPECT_EQ(words, (Lines{"abc", "xx", "abcabc", ""}));
}

// Reading into a store splits and decodes exactly as reading into a list,
// for every way a file can be read: UTF-8, one byte per character, UTF-16 LE;
// and a whole file read as it stands (UTF-8 kept in the file's own bytes).
TEST(LineStore, DecodesEveryFileAsTheListDoes) {
  std::vector<std::string> files = {"", "\n", "a\r\nb\rc\n\nd", "x\r", "caf\xC3\xA9\r\n\xFF\xFE\r\r\n"};
  files.push_back(std::string("a\0b\n\0c\r\n", 9));
  files.push_back("\xEF\xBB\xBFmarked\r\nUTF-8 \xC3\xA9\n" + std::string((size_t{1} << 20) + 5, 'L') + "\r\nend");
  files.push_back(
      "\xFF\xFEu\0t\0f\0\n\0-\0"
      "1\0"
      "6\0");
  const std::string forms = testing::CorpusFormsFolder();
  for (const std::string& name : testing::CorpusFormNames()) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(forms + name, &bytes));
    files.push_back(bytes);
  }
  for (const std::string& bytes : files) {
    for (const int format : {int{kFormatUtf8}, int{kFormatAscii}, int{kFormatUtf16Le}}) {
      SCOPED_TRACE(bytes.substr(0, 60));
      const Lines lines = DecodeLines(bytes, format);
      const LineStore store = DecodeLineStore(bytes, format);
      ASSERT_EQ(store, lines) << "format " << format;
      EXPECT_EQ(EncodeLines(store, kOutputAscii), EncodeLines(lines, kOutputAscii));
      EXPECT_EQ(NeedsWideEncoding(store), NeedsWideEncoding(lines));
    }
    MemoryFileSystem memory;
    memory.PutFile("/f", bytes);
    for (const int output : {int{kOutputUtf8}, int{kOutputAscii}}) {
      TextFile as_list;
      TextStoreFile as_store;
      ASSERT_TRUE(ReadTextFile(memory, "/f", &as_list, output));
      ASSERT_TRUE(ReadTextFile(memory, "/f", &as_store, output));
      EXPECT_EQ(as_store.bom, as_list.bom);
      ASSERT_EQ(as_store.lines, as_list.lines) << "output " << output;
    }
  }
}

}  // namespace
}  // namespace quillon
