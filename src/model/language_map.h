// The map of language texts to translations. Its iteration order is part of
// the generated files: 512 buckets by a hash over UTF-16 code units, buckets
// in order, the most recently added key first within a bucket.
#pragma once

#include <deque>
#include <functional>

#include "text/text.h"
#include "text/view_index.h"

namespace quillon {

class LanguageMap {
 public:
  LanguageMap() = default;
  // A copy indexes its own entries (the index refers to the keys it holds).
  LanguageMap(const LanguageMap& other);
  LanguageMap& operator=(const LanguageMap& other);
  LanguageMap(LanguageMap&&) = default;
  LanguageMap& operator=(LanguageMap&&) = default;

  static constexpr uint32_t kBuckets = 512;
  // hash = hash * 65599 + unit for every UTF-16 code unit, unsigned 32-bit.
  static uint32_t Hash(TextView key);

  void Clear();
  bool Contains(TextView key) const;
  // The value of a key, or nullptr.
  const Text* Find(TextView key) const;
  // Adds a new key or replaces the value of an existing one (its place stays).
  void Set(TextView key, TextView value);
  // Room for `count` keys.
  void Reserve(size_t count) { index_.Reserve(count); }
  size_t Size() const { return entries_.size(); }
  // Visits every pair in the iteration order described above.
  void ForEach(const std::function<void(const Text& key, const Text& value)>& visit) const;

 private:
  struct Entry {
    Text key;
    Text value;
    uint32_t bucket;
  };
  std::deque<Entry> entries_;  // a deque never moves its elements: index_ refers to their keys
  ViewIndex index_;
};

}  // namespace quillon
