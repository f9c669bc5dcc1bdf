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
// Q changes only when some k_j is reached, so between two such passes it is a rotation
// by the number of passes modulo its length: an implicit treap makes each of those
// steps logarithmic, and one scan with a Fenwick tree over the key ranks gives every
// k_j. Keys compare as numbers: -0 and 0 are equal. Keys must not be NaN.

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
    struct Node {
        std::uint32_t left;
        std::uint32_t right;
        std::uint32_t size;
        std::uint32_t priority;
    };
    std::uint32_t Merge(std::uint32_t a, std::uint32_t b);
    void Split(std::uint32_t node, std::uint32_t count, std::uint32_t& first, std::uint32_t& rest);
    std::uint32_t SizeOf(std::uint32_t node) const;

    std::vector<std::pair<double, std::uint32_t>> byKey_;
    std::vector<std::uint32_t> rank_;
    std::vector<std::uint32_t> start_;
    std::vector<std::uint32_t> fenwick_;
    std::vector<std::uint32_t> before_;   // k of each position
    std::vector<std::uint32_t> members_;  // positions grouped by rank, in order
    std::vector<std::uint32_t> stack_;
    // The treap over the members of one group, indexed by their slot in members_.
    std::vector<Node> nodes_;
    Node* node_ = nullptr;  // nodes_.data() during a sort
    std::uint32_t random_ = 2463534242u;
};

// One-off form of ExchangeSorter::Sort.
std::vector<std::uint32_t> ExchangeSortPermutation(std::span<const double> keys);

}  // namespace rockpile
