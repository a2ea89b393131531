// Room for many counts that costs a program nothing until it is used:
// static storage of zero bytes, with no initializer. A BigCount, even
// zero, is not all zero bytes (it keeps its size in limbs), so a static
// array of them would be a program's data: megabytes in every program, and
// in a browser's download. A slot holds a count once set_count made it.
#pragma once

#include <array>
#include <cstddef>
#include <new>

#include "big_count.h"

template <std::size_t Counts>
struct CountStorage {
    alignas(BigCount) std::array<unsigned char, Counts * sizeof(BigCount)> bytes;
};

// Makes slot `i` the count `value`, whatever it held.
template <std::size_t Counts>
BigCount& set_count(CountStorage<Counts>& storage, std::size_t i, const BigCount& value) {
    return *::new (storage.bytes.data() + i * sizeof(BigCount)) BigCount(value);
}

// The count in slot `i`, which set_count has made.
template <std::size_t Counts>
BigCount& count_at(CountStorage<Counts>& storage, std::size_t i) {
    return *std::launder(reinterpret_cast<BigCount*>(storage.bytes.data() + i * sizeof(BigCount)));
}
