#ifndef GSROOT_HASHSET_HPP
#define GSROOT_HASHSET_HPP

#include <initializer_list>
#include <unordered_map>
#include <vector>

#include "GSRoot/Hash.hpp"

namespace GS {

// A set that iterates its keys in the order of first insertion. Deleting a key moves the last
// key into the freed place, so the order after a deletion is not the insertion order any more:
// output orders of the add-on depend on exactly this rule.
template <typename T>
class HashSet {
public:
    using ConstIterator = typename std::vector<T>::const_iterator;

    HashSet() = default;
    HashSet(std::initializer_list<T> keys) {
        for (const T& key : keys)
            Add(key);
    }

    // False when the key was present already.
    bool Add(const T& key) {
        if (positions_.count(key) != 0)
            return false;
        positions_.emplace(key, keys_.size());
        keys_.push_back(key);
        return true;
    }

    // False when the key was absent.
    bool Delete(const T& key) {
        auto found = positions_.find(key);
        if (found == positions_.end())
            return false;
        const std::size_t freed = found->second;
        positions_.erase(found);
        if (freed + 1 != keys_.size()) {
            keys_[freed] = std::move(keys_.back());
            positions_[keys_[freed]] = freed;
        }
        keys_.pop_back();
        return true;
    }

    bool Contains(const T& key) const { return positions_.count(key) != 0; }
    USize GetSize() const { return static_cast<USize>(keys_.size()); }
    bool IsEmpty() const { return keys_.empty(); }
    void Clear() {
        keys_.clear();
        positions_.clear();
    }

    ConstIterator begin() const { return keys_.begin(); }
    ConstIterator end() const { return keys_.end(); }

    bool operator==(const HashSet& other) const { return keys_ == other.keys_; }

private:
    std::vector<T> keys_;
    std::unordered_map<T, std::size_t, Hasher<T>> positions_;
};

} // namespace GS

#endif
