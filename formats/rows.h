// A check for the tables that each tool keeps per shape or form: one row per value of an enum.
#pragma once
#include <cstddef>

// True when rows has one row per value of an enum of count values, row i for value i: a table
// indexed by the enum.
template <typename Row, size_t N, typename Enum>
constexpr bool IndexedInOrder(const Row (&rows)[N], Enum Row::*key, size_t count) {
    if (N != count) return false;
    for (size_t i = 0; i < N; ++i)
        if (size_t(rows[i].*key) != i) return false;
    return true;
}
