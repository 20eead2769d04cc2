#ifndef GSROOT_ARRAY_HPP
#define GSROOT_ARRAY_HPP

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "GSRoot/Definitions.hpp"

namespace GS {

// The host library's growable array; elements keep the order in which they were added.
template <typename T>
class Array {
public:
    using Iterator = typename std::vector<T>::iterator;
    using ConstIterator = typename std::vector<T>::const_iterator;

    Array() = default;
    Array(std::initializer_list<T> items) : items_(items) {}

    void Push(const T& item) { items_.push_back(item); }
    void Push(T&& item) { items_.push_back(std::move(item)); }
    void Insert(UIndex index, const T& item) { items_.insert(items_.begin() + index, item); }
    void Delete(UIndex index) { items_.erase(items_.begin() + index); }
    void DeleteLast() { items_.pop_back(); }
    void Clear() { items_.clear(); }
    void SetSize(UIndex size) { items_.resize(size); }

    UIndex GetSize() const { return static_cast<UIndex>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    T& operator[](UIndex index) { return items_[index]; }
    const T& operator[](UIndex index) const { return items_[index]; }
    T& GetLast() { return items_.back(); }
    const T& GetLast() const { return items_.back(); }

    bool Contains(const T& item) const {
        return std::find(items_.begin(), items_.end(), item) != items_.end();
    }
    // Index of the first equal element, or MaxUIndex.
    UIndex FindFirst(const T& item) const {
        auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? MaxUIndex : static_cast<UIndex>(it - items_.begin());
    }

    Iterator begin() { return items_.begin(); }
    Iterator end() { return items_.end(); }
    ConstIterator begin() const { return items_.begin(); }
    ConstIterator end() const { return items_.end(); }

    bool operator==(const Array& other) const { return items_ == other.items_; }
    bool operator!=(const Array& other) const { return items_ != other.items_; }

    static constexpr UIndex MaxUIndex = static_cast<UIndex>(-1);

private:
    std::vector<T> items_;
};

} // namespace GS

#endif
