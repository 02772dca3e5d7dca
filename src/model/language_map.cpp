#include "model/language_map.h"

#include <vector>

namespace quillon {

LanguageMap::LanguageMap(const LanguageMap& other) { *this = other; }

LanguageMap& LanguageMap::operator=(const LanguageMap& other) {
  if (this == &other) return *this;
  Clear();
  // Adding the entries in their original order rebuilds the same buckets.
  for (const Entry& entry : other.entries_) Set(entry.key, entry.value);
  return *this;
}

uint32_t LanguageMap::Hash(TextView key) {
  uint32_t hash = 0;
  for (size_t i = 0; i < key.size();) {
    char32_t c = static_cast<unsigned char>(key[i]);
    if (c < 0x80) {
      hash = hash * 65599u + c;
      ++i;
      continue;
    }
    const int len = CodePointAt(key, i, &c);
    // A byte of no valid sequence counts as the unit it was always read as.
    if (len == 0) c = 0xDC00 + c;
    i += len == 0 ? 1 : static_cast<size_t>(len);
    if (c >= 0x10000) {
      const uint32_t v = c - 0x10000;
      hash = hash * 65599u + (0xD800u + (v >> 10));
      hash = hash * 65599u + (0xDC00u + (v & 0x3FF));
    } else {
      hash = hash * 65599u + static_cast<uint32_t>(c);
    }
  }
  return hash;
}

void LanguageMap::Clear() {
  entries_.clear();
  index_.Clear();
}

bool LanguageMap::Contains(TextView key) const { return index_.Find(key) != ViewIndex::kNone; }

const Text* LanguageMap::Find(TextView key) const {
  const uint32_t at = index_.Find(key);
  return at == ViewIndex::kNone ? nullptr : &entries_[at].value;
}

void LanguageMap::Set(TextView key, TextView value) {
  const uint32_t at = index_.Find(key);
  if (at != ViewIndex::kNone) {
    entries_[at].value = Text(value);
    return;
  }
  entries_.push_back({Text(key), Text(value), Hash(key) % kBuckets});
  index_.Insert(entries_.back().key);  // numbered like the entries
}

void LanguageMap::ForEach(const std::function<void(const Text&, const Text&)>& visit) const {
  // Entries sorted by bucket (a counting sort), newest first within each:
  // every bucket's slots fill from its end while the entries are walked
  // oldest first.
  std::vector<size_t> bucket_end(kBuckets, 0);
  for (const Entry& entry : entries_) ++bucket_end[entry.bucket];
  for (uint32_t b = 1; b < kBuckets; ++b) bucket_end[b] += bucket_end[b - 1];
  std::vector<size_t> order(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i) order[--bucket_end[entries_[i].bucket]] = i;
  for (size_t i : order) visit(entries_[i].key, entries_[i].value);
}

}  // namespace quillon
