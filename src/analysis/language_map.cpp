#include "analysis/language_map.h"

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
  for (char32_t c : key) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
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
  index_.clear();
  for (auto& bucket : buckets_) bucket.clear();
}

bool LanguageMap::Contains(TextView key) const { return index_.count(key) != 0; }

const Text* LanguageMap::Find(TextView key) const {
  const auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].value;
}

void LanguageMap::Set(const Text& key, const Text& value) {
  const auto it = index_.find(key);
  if (it != index_.end()) {
    entries_[it->second].value = value;
    return;
  }
  const size_t at = entries_.size();
  entries_.push_back({key, value});
  index_.emplace(entries_.back().key, at);
  buckets_[Hash(key) % kBuckets].push_back(at);
}

void LanguageMap::ForEach(const std::function<void(const Text&, const Text&)>& visit) const {
  for (const auto& bucket : buckets_) {
    for (auto it = bucket.rbegin(); it != bucket.rend(); ++it) visit(entries_[*it].key, entries_[*it].value);
  }
}

}  // namespace quillon
