// The lines of one large file in a single buffer. A list of strings costs a
// 32-byte string object per line on top of its bytes, often more than the
// bytes themselves; here a line costs its bytes and eight bytes of index.
// Lines that change are written anew at the end of the buffer (the bytes
// they replace stay unused until the store is dropped), so it suits files
// that are read whole, searched, edited in a few places and written out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "text/text.h"

namespace quillon {

class LineStore {
 public:
  LineStore() = default;
  // Not a constructor, so that a braced list of lines still means Lines.
  static LineStore Of(const Lines& lines);
  LineStore& operator=(const Lines& lines) { return *this = Of(lines); }

  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  TextView operator[](size_t i) const;
  TextView back() const { return (*this)[size() - 1]; }

  // Room for `lines` more lines of `bytes` bytes in all.
  void reserve(size_t lines, size_t bytes);
  void push_back(TextView line);
  void emplace_back() { push_back(TextView()); }
  void Set(size_t i, TextView line);
  // Keeps the first `count` lines (a longer count changes nothing).
  void Truncate(size_t count);
  void pop_back() { Truncate(size() - 1); }
  void clear();

  // A file read whole becomes the buffer itself, and its lines are spans of
  // it (`start` counts from the buffer's first byte): no copy of the bytes
  // is made. AdoptBuffer empties the store first.
  void AdoptBuffer(Text bytes);
  void PushBufferLine(size_t start, size_t size);
  TextView Buffer() const { return bytes_; }

  Lines ToLines() const;

  class const_iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = TextView;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = TextView;

    const_iterator(const LineStore* store, size_t i) : store_(store), i_(i) {}
    TextView operator*() const { return (*store_)[i_]; }
    const_iterator& operator++() {
      ++i_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++i_;
      return before;
    }
    bool operator==(const const_iterator& other) const { return i_ == other.i_; }
    bool operator!=(const const_iterator& other) const { return i_ != other.i_; }

   private:
    const LineStore* store_;
    size_t i_;
  };
  using iterator = const_iterator;  // lines change only through Set
  using value_type = TextView;
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size()); }

  friend bool operator==(const LineStore& a, const LineStore& b);
  friend bool operator!=(const LineStore& a, const LineStore& b) { return !(a == b); }
  // The same lines as a plain list (tests compare with one).
  friend bool operator==(const LineStore& a, const Lines& b) { return a == Of(b); }

 private:
  // Where a line starts in bytes_ (44 bits) and its length (20 bits). A line
  // of kLongLine bytes or more lives in long_lines_, and `start` is its index
  // there: no file can break the packing.
  static constexpr std::uint64_t kSizeBits = 20;
  static constexpr std::uint64_t kLongLine = (std::uint64_t{1} << kSizeBits) - 1;
  static std::uint64_t Pack(std::uint64_t start, std::uint64_t size) { return start << kSizeBits | size; }
  std::uint64_t SpanFor(TextView line);

  Text bytes_;
  std::vector<std::uint64_t> spans_;
  std::vector<Text> long_lines_;
};

// Runs `edit` (a function of Text& returning a count, above 0 when it changed
// the line) on a copy of each line in turn and keeps the copies it changed;
// returns the sum of the counts. One buffer serves every line.
template <class Edit>
long EditEachLine(LineStore& lines, Edit edit) {
  long total = 0;
  Text line;
  for (size_t i = 0; i < lines.size(); ++i) {
    line.assign(lines[i]);
    const long count = edit(line);
    if (count <= 0) continue;
    lines.Set(i, line);
    total += count;
  }
  return total;
}

}  // namespace quillon
