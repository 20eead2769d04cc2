#ifndef ZARIMARK_TESTS_RANDOMUSERS_RANDOMCHOICE_HPP
#define ZARIMARK_TESTS_RANDOMUSERS_RANDOMCHOICE_HPP

#include <vector>

#include <rapidcheck.h>

// Choices inside a generator. RapidCheck narrows numbers to the test's size; here the size only
// decides how many actions a user takes, so every choice spans its whole range at any size.
namespace RandomUsers {

inline int Between(int low, int highInclusive) {
    return *rc::gen::resize(100, rc::gen::inRange(low, highInclusive + 1));
}

// Shrinks towards false: a shrunk case has as few special cases as it can.
inline bool Chance(int percent) {
    return Between(0, 99) >= 100 - percent;
}

template <typename T>
T OneOf(const std::vector<T>& choices) {
    return choices[static_cast<std::size_t>(Between(0, static_cast<int>(choices.size()) - 1))];
}

} // namespace RandomUsers

#endif
