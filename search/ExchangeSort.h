#pragma once
// The exchange sort of the result grids, in O(n log n).
//
// The grids have always been sorted by this procedure:
//
//   for i in 0 .. n-1:
//     key := key of row i
//     for j in i .. n-1:
//       if key > key of row j: exchange rows i and j; key := key of row j (as it was)
//
// It sorts ascending but is not stable, and users see the order it leaves among equal
// keys, so that order is kept exactly. Run literally it makes n (n + 1) / 2
// comparisons, which is far too slow for a large search. The same permutation follows
// from this characterisation. Take the distinct keys v in ascending order; let E be the
// rows with key v in their current order, T the number of rows with a smaller key, and
// k_j, for the j-th row of E, the number of rows with a smaller key standing before it.
// Start with an empty queue Q; for each pass t = 0 .. T-1, first append to the back of
// Q, in order, every row of E not yet in Q whose k_j <= t, then, if Q is not empty,
// move its front row to its back. The rows of key v come out as Q from front to back,
// followed by the rows of E never taken (k_j = T) in their order; the groups follow one
// another by ascending key.
//
// Q changes only when some k_j is reached, so between two such passes it turns by the
// number of passes modulo its length. Seen as a circular list with a head, appending to
// the back inserts before the head and turning moves the head, so each row of the group
// is inserted at a known index of a growing list: placing the rows backwards into the
// free slots of the final list (a Fenwick tree over the slots) gives the list, and Q
// starts at the final head. One stable radix sort of the keys groups the rows, and one
// scan with a Fenwick tree over the key ranks gives every k_j (needed only in groups of
// more than one row). Keys compare as numbers: -0 and 0 are equal. Keys must not be NaN.

#include <cstdint>
#include <span>
#include <vector>

namespace rockpile {

// Reusable working memory for repeated sorts (the arrays grow to the largest n seen).
class ExchangeSorter {
public:
    // The permutation of the exchange sort of rows with these keys (in their current
    // order): on return, permutation[i] is the current position of the row that the
    // sort puts at position i.
    void Sort(std::span<const double> keys, std::vector<std::uint32_t>& permutation);

private:
    struct Item {
        std::uint64_t bits;  // the key as an unsigned number of the same order
        std::uint32_t position;
    };
    void GroupByKey(std::span<const double> keys);
    void PlaceGroup(std::uint32_t begin, std::uint32_t end, std::uint32_t* result);

    std::vector<Item> items_;
    std::vector<Item> scratch_;
    std::vector<std::uint32_t> start_;    // first member of each group (by rank), and n
    std::vector<std::uint32_t> rank_;     // by position
    std::vector<std::uint32_t> fenwick_;  // over the ranks, then over the slots of a group
    std::vector<std::uint32_t> before_;   // k by place in items_ (only in groups of several)
    std::vector<std::uint32_t> next_;     // the next place of each group during the scan
    std::vector<std::uint32_t> index_;    // insertion index of each taken member of a group
    std::vector<std::uint32_t> slots_;    // the circular list of a group
};

// One-off form of ExchangeSorter::Sort.
std::vector<std::uint32_t> ExchangeSortPermutation(std::span<const double> keys);

}  // namespace rockpile
