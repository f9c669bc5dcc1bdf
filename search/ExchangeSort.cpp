#include "search/ExchangeSort.h"

#include <algorithm>

namespace rockpile {

namespace {
constexpr std::uint32_t kNone = 0xFFFFFFFFu;
}

std::uint32_t ExchangeSorter::SizeOf(std::uint32_t node) const { return node == kNone ? 0 : node_[node].size; }

std::uint32_t ExchangeSorter::Merge(std::uint32_t a, std::uint32_t b)
{
    if (a == kNone) return b;
    if (b == kNone) return a;
    if (node_[a].priority > node_[b].priority) {
        node_[a].right = Merge(node_[a].right, b);
        node_[a].size = 1 + SizeOf(node_[a].left) + SizeOf(node_[a].right);
        return a;
    }
    node_[b].left = Merge(a, node_[b].left);
    node_[b].size = 1 + SizeOf(node_[b].left) + SizeOf(node_[b].right);
    return b;
}

// The first `count` nodes of the sequence go to `first`, the others to `rest`.
void ExchangeSorter::Split(std::uint32_t node, std::uint32_t count, std::uint32_t& first, std::uint32_t& rest)
{
    if (node == kNone) {
        first = rest = kNone;
        return;
    }
    Node& n = node_[node];
    const std::uint32_t leftSize = SizeOf(n.left);
    if (count <= leftSize) {
        Split(n.left, count, first, n.left);
        rest = node;
    } else {
        Split(n.right, count - leftSize - 1, n.right, rest);
        first = node;
    }
    n.size = 1 + SizeOf(n.left) + SizeOf(n.right);
}

void ExchangeSorter::Sort(std::span<const double> keys, std::vector<std::uint32_t>& permutation)
{
    const std::size_t n = keys.size();
    permutation.resize(n);
    if (n == 0) return;
    std::uint32_t* const result = permutation.data();

    // Ranks of the distinct keys (equal numbers share a rank: -0 == 0).
    byKey_.resize(n);
    std::pair<double, std::uint32_t>* const byKey = byKey_.data();
    for (std::size_t p = 0; p < n; ++p) byKey[p] = {keys[p], static_cast<std::uint32_t>(p)};
    std::sort(byKey, byKey + n, [](const auto& x, const auto& y) { return x.first < y.first; });
    rank_.resize(n);
    std::uint32_t* const rank = rank_.data();
    std::uint32_t ranks = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && byKey[i - 1].first < byKey[i].first) ++ranks;
        rank[byKey[i].second] = ranks;
    }
    ++ranks;

    // start[r]: the number of rows with a smaller key (T of the group), which is also
    // where the group's rows begin in the sorted order.
    start_.assign(ranks + 1, 0);
    std::uint32_t* const start = start_.data();
    for (std::size_t p = 0; p < n; ++p) ++start[rank[p] + 1];
    for (std::uint32_t r = 0; r < ranks; ++r) start[r + 1] += start[r];

    // k of each position: the rows with a smaller key before it (Fenwick tree over
    // the ranks, one scan from the left).
    fenwick_.assign(ranks + 1, 0);
    std::uint32_t* const fenwick = fenwick_.data();
    before_.resize(n);
    std::uint32_t* const before = before_.data();
    for (std::size_t p = 0; p < n; ++p) {
        std::uint32_t smaller = 0;
        for (std::uint32_t i = rank[p]; i > 0; i -= i & (~i + 1)) smaller += fenwick[i];
        before[p] = smaller;
        for (std::uint32_t i = rank[p] + 1; i <= ranks; i += i & (~i + 1)) ++fenwick[i];
    }

    // The rows of each group in their current order; k is nondecreasing along a group.
    members_.resize(n);
    std::uint32_t* const members = members_.data();
    stack_.assign(start, start + ranks);
    for (std::size_t p = 0; p < n; ++p) members[stack_[rank[p]]++] = static_cast<std::uint32_t>(p);

    nodes_.resize(n);
    node_ = nodes_.data();

    for (std::uint32_t r = 0; r < ranks; ++r) {
        const std::uint32_t begin = start[r];
        const std::uint32_t end = start[r + 1];
        const std::uint32_t passes = begin;  // T
        std::uint32_t out = begin;

        // Q changes only at a pass t equal to some k: the rows with that k are appended,
        // then Q turns once per pass up to the next such k (or to T).
        std::uint32_t root = kNone;
        std::uint32_t slot = begin;
        while (slot < end && before[members[slot]] < passes) {
            const std::uint32_t pass = before[members[slot]];
            while (slot < end && before[members[slot]] == pass) {
                random_ ^= random_ << 13;
                random_ ^= random_ >> 17;
                random_ ^= random_ << 5;
                node_[slot] = {kNone, kNone, 1, random_};
                root = Merge(root, slot);
                ++slot;
            }
            const std::uint32_t next = (slot < end && before[members[slot]] < passes) ? before[members[slot]] : passes;
            const std::uint32_t turn = (next - pass) % node_[root].size;
            if (turn != 0) {
                std::uint32_t front = kNone;
                std::uint32_t back = kNone;
                Split(root, turn, front, back);
                root = Merge(back, front);
            }
        }

        // Q from front to back (in-order walk), then the rows never taken, in order.
        stack_.clear();
        std::uint32_t node = root;
        while (node != kNone || !stack_.empty()) {
            while (node != kNone) {
                stack_.push_back(node);
                node = node_[node].left;
            }
            node = stack_.back();
            stack_.pop_back();
            result[out++] = members[node];
            node = node_[node].right;
        }
        for (; slot < end; ++slot) result[out++] = members[slot];
    }
    node_ = nullptr;
}

std::vector<std::uint32_t> ExchangeSortPermutation(std::span<const double> keys)
{
    ExchangeSorter sorter;
    std::vector<std::uint32_t> permutation;
    sorter.Sort(keys, permutation);
    return permutation;
}

}  // namespace rockpile
