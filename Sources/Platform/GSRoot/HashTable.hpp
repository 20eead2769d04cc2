#ifndef GSROOT_HASHTABLE_HPP
#define GSROOT_HASHTABLE_HPP

#include <unordered_map>
#include <vector>

#include "GSRoot/Hash.hpp"

namespace GS {

// A table that iterates its entries in the order in which their keys were first inserted.
// Deleting a key moves the last entry into the freed place, the same rule as HashSet.
template <typename K, typename V>
class HashTable {
public:
    struct Entry {
        K key;
        V value;
    };
    using Iterator = typename std::vector<Entry>::iterator;
    using ConstIterator = typename std::vector<Entry>::const_iterator;

    // False (and the table unchanged) when the key is present already.
    bool Add(const K& key, const V& value) {
        if (positions_.count(key) != 0)
            return false;
        positions_.emplace(key, entries_.size());
        entries_.push_back(Entry{key, value});
        return true;
    }

    // Adds the key or replaces its value in place.
    void Put(const K& key, const V& value) {
        auto found = positions_.find(key);
        if (found == positions_.end())
            Add(key, value);
        else
            entries_[found->second].value = value;
    }

    bool Delete(const K& key) {
        auto found = positions_.find(key);
        if (found == positions_.end())
            return false;
        const std::size_t freed = found->second;
        positions_.erase(found);
        if (freed + 1 != entries_.size()) {
            entries_[freed] = std::move(entries_.back());
            positions_[entries_[freed].key] = freed;
        }
        entries_.pop_back();
        return true;
    }

    bool ContainsKey(const K& key) const { return positions_.count(key) != 0; }
    V* GetPtr(const K& key) {
        auto found = positions_.find(key);
        return found == positions_.end() ? nullptr : &entries_[found->second].value;
    }
    const V* GetPtr(const K& key) const {
        auto found = positions_.find(key);
        return found == positions_.end() ? nullptr : &entries_[found->second].value;
    }
    // The key must be present.
    V& Get(const K& key) { return *GetPtr(key); }
    const V& Get(const K& key) const { return *GetPtr(key); }
    // Copies the value out; false when the key is absent.
    bool Get(const K& key, V* value) const {
        const V* found = GetPtr(key);
        if (found == nullptr)
            return false;
        *value = *found;
        return true;
    }

    USize GetSize() const { return static_cast<USize>(entries_.size()); }
    bool IsEmpty() const { return entries_.empty(); }
    void Clear() {
        entries_.clear();
        positions_.clear();
    }

    Iterator begin() { return entries_.begin(); }
    Iterator end() { return entries_.end(); }
    ConstIterator begin() const { return entries_.begin(); }
    ConstIterator end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
    std::unordered_map<K, std::size_t, Hasher<K>> positions_;
};

} // namespace GS

#endif
