#include "search/ExchangeSort.h"

#include <algorithm>
#include <bit>

namespace rockpile {

namespace {

constexpr int kDigitBits = 11;
constexpr int kDigits = 6;  // 6 x 11 bits cover the 64 bits of a key
constexpr std::uint32_t kBuckets = 1u << kDigitBits;

std::uint32_t LowBit(std::uint32_t i) { return i & (~i + 1); }

}  // namespace

// Sorts the rows by key, stably (equal keys keep their current order), and numbers the
// groups of equal keys by rank.
void ExchangeSorter::GroupByKey(std::span<const double> keys)
{
    const std::size_t n = keys.size();
    items_.resize(n);
    scratch_.resize(n);
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(kDigits) * kBuckets, 0);
    for (std::size_t p = 0; p < n; ++p) {
        // The bits of a double in the order of its value: positive numbers with the sign
        // bit set, negative ones inverted. -0 counts as 0.
        const double key = keys[p] == 0 ? 0.0 : keys[p];
        std::uint64_t bits = std::bit_cast<std::uint64_t>(key);
        bits = (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
        items_[p] = {bits, static_cast<std::uint32_t>(p)};
        for (int d = 0; d < kDigits; ++d) ++counts[d * kBuckets + ((bits >> (d * kDigitBits)) & (kBuckets - 1))];
    }
    // Least significant digit first; a digit that all keys share moves nothing.
    for (int d = 0; d < kDigits; ++d) {
        std::uint32_t* const count = counts.data() + d * kBuckets;
        const int shift = d * kDigitBits;
        if (count[(items_[0].bits >> shift) & (kBuckets - 1)] == n) continue;
        std::uint32_t offset = 0;
        for (std::uint32_t b = 0; b < kBuckets; ++b) {
            const std::uint32_t c = count[b];
            count[b] = offset;
            offset += c;
        }
        for (const Item& item : items_) scratch_[count[(item.bits >> shift) & (kBuckets - 1)]++] = item;
        items_.swap(scratch_);
    }

    start_.clear();
    rank_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 0 || items_[i].bits != items_[i - 1].bits) start_.push_back(static_cast<std::uint32_t>(i));
        rank_[items_[i].position] = static_cast<std::uint32_t>(start_.size() - 1);
    }
    start_.push_back(static_cast<std::uint32_t>(n));
}

// The rows of one group (items_[begin, end)), whose keys are preceded by `begin`
// smaller ones, in the order the exchange sort leaves them.
void ExchangeSorter::PlaceGroup(std::uint32_t begin, std::uint32_t end, std::uint32_t* result)
{
    if (end - begin == 1) {
        result[begin] = items_[begin].position;
        return;
    }
    const std::uint32_t passes = begin;  // T
    std::uint32_t taken = begin;          // the rows with k < T come first (k grows along the group)
    while (taken < end && before_[taken] < passes) ++taken;
    const std::uint32_t m = taken - begin;

    // The circular list: each batch is inserted before the head, which then moves on
    // by the passes up to the next batch.
    index_.resize(m);
    std::uint64_t length = 0;
    std::uint64_t head = 0;
    for (std::uint32_t j = begin; j < taken;) {
        const std::uint32_t pass = before_[j];
        const std::uint32_t batch = j;
        for (; j < taken && before_[j] == pass; ++j)
            index_[j - begin] = static_cast<std::uint32_t>(head + (j - batch));
        length += j - batch;
        head += j - batch;
        const std::uint32_t next = j < taken ? before_[j] : passes;
        head = (head + (next - pass)) % length;
    }

    // Later insertions push earlier rows to the right: placed from the last, each row
    // takes the free slot of its insertion index.
    slots_.resize(m);
    fenwick_.resize(m + 1);
    for (std::uint32_t i = 1; i <= m; ++i) fenwick_[i] = LowBit(i);  // every slot free
    std::uint32_t top = 1;
    while (top * 2 <= m) top *= 2;
    for (std::uint32_t j = m; j-- > 0;) {
        std::uint32_t wanted = index_[j] + 1;  // the wanted-th free slot
        std::uint32_t slot = 0;
        for (std::uint32_t step = top; step > 0; step /= 2) {
            if (slot + step <= m && fenwick_[slot + step] < wanted) {
                slot += step;
                wanted -= fenwick_[slot];
            }
        }
        slots_[slot] = items_[begin + j].position;  // slot + 1 in the tree
        for (std::uint32_t i = slot + 1; i <= m; i += LowBit(i)) --fenwick_[i];
    }

    std::uint32_t out = begin;
    for (std::uint64_t i = head; i < m; ++i) result[out++] = slots_[i];
    for (std::uint64_t i = 0; i < head; ++i) result[out++] = slots_[i];
    for (std::uint32_t j = taken; j < end; ++j) result[out++] = items_[j].position;
}

void ExchangeSorter::Sort(std::span<const double> keys, std::vector<std::uint32_t>& permutation)
{
    const std::size_t n = keys.size();
    permutation.resize(n);
    if (n == 0) return;
    GroupByKey(keys);
    const std::uint32_t ranks = static_cast<std::uint32_t>(start_.size() - 1);
    std::uint32_t* const result = permutation.data();
    if (ranks == n) {
        // All keys distinct: nothing is exchanged but into ascending order.
        for (std::size_t i = 0; i < n; ++i) result[i] = items_[i].position;
        return;
    }

    // k of each row in a group of several: the rows with a smaller key before it (a
    // Fenwick tree over the ranks, one scan from the left). The scan meets the rows of
    // a group in their order, so k is stored by the row's place in items_.
    fenwick_.assign(ranks + 1, 0);
    before_.resize(n);
    next_.assign(start_.begin(), start_.end() - 1);
    const std::uint32_t* const start = start_.data();
    const std::uint32_t* const rank = rank_.data();
    std::uint32_t* const fenwick = fenwick_.data();
    std::uint32_t* const next = next_.data();
    for (std::size_t p = 0; p < n; ++p) {
        const std::uint32_t r = rank[p];
        if (start[r + 1] - start[r] > 1) {
            std::uint32_t smaller = 0;
            for (std::uint32_t i = r; i > 0; i -= LowBit(i)) smaller += fenwick[i];
            before_[next[r]++] = smaller;
        }
        for (std::uint32_t i = r + 1; i <= ranks; i += LowBit(i)) ++fenwick[i];
    }

    for (std::uint32_t r = 0; r < ranks; ++r) PlaceGroup(start[r], start[r + 1], result);
}

std::vector<std::uint32_t> ExchangeSortPermutation(std::span<const double> keys)
{
    ExchangeSorter sorter;
    std::vector<std::uint32_t> permutation;
    sorter.Sort(keys, permutation);
    return permutation;
}

}  // namespace rockpile
