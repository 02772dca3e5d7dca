#include "text/line_store.h"

namespace quillon {

LineStore LineStore::Of(const Lines& lines) {
  LineStore store;
  size_t bytes = 0;
  for (const Text& line : lines) bytes += line.size();
  store.reserve(lines.size(), bytes);
  for (const Text& line : lines) store.push_back(line);
  return store;
}

TextView LineStore::operator[](size_t i) const {
  const std::uint64_t span = spans_[i];
  const std::uint64_t size = span & kLongLine;
  const std::uint64_t start = span >> kSizeBits;
  if (size == kLongLine) return long_lines_[start];
  return TextView(bytes_.data() + start, size);
}

void LineStore::reserve(size_t lines, size_t bytes) {
  spans_.reserve(spans_.size() + lines);
  bytes_.reserve(bytes_.size() + bytes);
}

std::uint64_t LineStore::SpanFor(TextView line) {
  if (line.size() >= kLongLine) {
    long_lines_.emplace_back(line);
    return Pack(long_lines_.size() - 1, kLongLine);
  }
  const std::uint64_t start = bytes_.size();
  bytes_.append(line);
  return Pack(start, line.size());
}

void LineStore::push_back(TextView line) { spans_.push_back(SpanFor(line)); }

void LineStore::AdoptBuffer(Text bytes) {
  clear();
  bytes_ = std::move(bytes);
}

void LineStore::PushBufferLine(size_t start, size_t size) {
  if (size >= kLongLine) {
    long_lines_.emplace_back(bytes_, start, size);
    spans_.push_back(Pack(long_lines_.size() - 1, kLongLine));
    return;
  }
  spans_.push_back(Pack(start, size));
}

void LineStore::Set(size_t i, TextView line) {
  const std::uint64_t span = spans_[i];
  const std::uint64_t size = span & kLongLine;
  // A shorter or equal line of the buffer fits where the old one stood; the
  // new text may be a view into this store, which memmove allows.
  if (size != kLongLine && line.size() <= size) {
    Text::traits_type::move(&bytes_[span >> kSizeBits], line.data(), line.size());
    spans_[i] = Pack(span >> kSizeBits, line.size());
    return;
  }
  // Appending may move the buffer under a view into it: copy first.
  const Text copy(line);
  spans_[i] = SpanFor(copy);
}

void LineStore::Truncate(size_t count) {
  if (count < spans_.size()) spans_.resize(count);
}

void LineStore::clear() {
  bytes_.clear();
  spans_.clear();
  long_lines_.clear();
}

Lines LineStore::ToLines() const { return Lines(begin(), end()); }

bool operator==(const LineStore& a, const LineStore& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace quillon
