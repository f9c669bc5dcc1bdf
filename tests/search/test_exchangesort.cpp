#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <numeric>
#include <random>
#include <vector>

#include "core/PileInput.h"
#include "report/Format.h"
#include "search/DesignSearch.h"
#include "search/ExchangeSort.h"
#include "search/ResultSorting.h"

namespace rockpile {
namespace {

using Permutation = std::vector<std::uint32_t>;

// The procedure of the grids, literally: row i keeps the smallest key found so far and
// gives its old content to the row where a smaller one stood. `work` and `rows` are
// reused between calls.
void LiteralExchangeSort(const std::vector<double>& keys, std::vector<double>& work, Permutation& rows)
{
    work = keys;
    rows.resize(keys.size());
    std::iota(rows.begin(), rows.end(), 0u);
    double* const k = work.data();
    std::uint32_t* const r = rows.data();
    const std::size_t n = keys.size();
    for (std::size_t i = 0; i < n; ++i) {
        double key = k[i];
        for (std::size_t j = i; j < n; ++j) {
            const double x = k[j];
            if (key > x) {
                std::swap(k[i], k[j]);
                std::swap(r[i], r[j]);
                key = x;
            }
        }
    }
}

Permutation LiteralExchangeSort(const std::vector<double>& keys)
{
    std::vector<double> work;
    Permutation rows;
    LiteralExchangeSort(keys, work, rows);
    return rows;
}

// The queue characterisation pass by pass, with a real queue: O(n x distinct keys),
// cheap for large arrays with few distinct keys, where the literal procedure is not.
Permutation QueueCharacterisation(const std::vector<double>& keys)
{
    std::map<double, std::vector<std::uint32_t>> groups;  // -0 and 0 share a group
    for (std::uint32_t p = 0; p < keys.size(); ++p) groups[keys[p]].push_back(p);
    Permutation result;
    for (const auto& [value, members] : groups) {
        const double v = value;
        std::vector<std::uint32_t> smallerBefore(members.size());
        std::uint32_t smaller = 0;
        std::size_t m = 0;
        std::uint32_t total = 0;
        for (std::uint32_t p = 0; p < keys.size(); ++p) {
            if (keys[p] < v) ++total;
        }
        for (std::uint32_t p = 0; p < keys.size(); ++p) {
            if (keys[p] < v) ++smaller;
            else if (m < members.size() && members[m] == p) smallerBefore[m++] = smaller;
        }
        std::deque<std::uint32_t> queue;
        std::size_t taken = 0;
        for (std::uint32_t t = 0; t < total; ++t) {
            while (taken < members.size() && smallerBefore[taken] <= t) queue.push_back(members[taken++]);
            if (!queue.empty()) {
                queue.push_back(queue.front());
                queue.pop_front();
            }
        }
        result.insert(result.end(), queue.begin(), queue.end());
        result.insert(result.end(), members.begin() + static_cast<std::ptrdiff_t>(taken), members.end());
    }
    return result;
}

TEST(ExchangeSort, KnownSmallCases)
{
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{}), Permutation{});
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{5}), Permutation{0});
    // Equal keys change places: 2000, 2000, 1000 ends as rows 2, 1, 0.
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{2000, 2000, 1000}), (Permutation{2, 1, 0}));
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{1, 1, 1}), (Permutation{0, 1, 2}));
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{3, 1, 2}), (Permutation{1, 2, 0}));
}

TEST(ExchangeSort, MatchesTheLiteralProcedureOnEveryArrayOverFourKeysUpToTen)
{
    // Every array of length 0..10 over the keys 0..3 (so also every array over any
    // three of them): 1 398 101 arrays.
    ExchangeSorter sorter;
    Permutation fast;
    Permutation literal;
    std::vector<double> work;
    std::vector<double> keys;
    std::vector<int> digits;
    std::size_t checked = 0;
    for (std::size_t n = 0; n <= 10; ++n) {
        digits.assign(n, 0);
        keys.assign(n, 0.0);
        while (true) {
            sorter.Sort(keys, fast);
            LiteralExchangeSort(keys, work, literal);
            if (fast != literal) {
                ADD_FAILURE() << "keys " << ::testing::PrintToString(keys);
                return;
            }
            ++checked;
            std::size_t i = 0;
            while (i < n && digits[i] == 3) {
                digits[i] = 0;
                keys[i] = 0;
                ++i;
            }
            if (i == n) break;
            ++digits[i];
            keys[i] = digits[i];
        }
    }
    EXPECT_EQ(checked, 1398101u);
}

TEST(ExchangeSort, MinusZeroAndZeroTie)
{
    // Every array up to length 8 over -1, -0, 0 and 2: -0 and 0 are one key.
    const double alphabet[4] = {-1.0, -0.0, 0.0, 2.0};
    ExchangeSorter sorter;
    Permutation fast;
    for (std::size_t n = 1; n <= 8; ++n) {
        std::vector<int> digits(n, 0);
        std::vector<double> keys(n, alphabet[0]);
        while (true) {
            sorter.Sort(keys, fast);
            ASSERT_EQ(fast, LiteralExchangeSort(keys)) << ::testing::PrintToString(keys);
            std::size_t i = 0;
            while (i < n && digits[i] == 3) {
                digits[i] = 0;
                keys[i] = alphabet[0];
                ++i;
            }
            if (i == n) break;
            keys[i] = alphabet[++digits[i]];
        }
    }
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{0.0, -0.0}), (Permutation{0, 1}));
    EXPECT_EQ(ExchangeSortPermutation(std::vector<double>{0.0, -0.0, -1.0}), LiteralExchangeSort({0.0, -0.0, -1.0}));
}

std::vector<double> RandomKeys(std::mt19937& random, std::size_t n, int distinct)
{
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    std::vector<double> keys(n);
    for (double& key : keys) key = 1000.0 + 0.5 * pick(random);
    return keys;
}

TEST(ExchangeSort, MatchesTheLiteralProcedureOnRandomArrays)
{
    std::mt19937 random(20240601);
    ExchangeSorter sorter;
    Permutation fast;
    for (int trial = 0; trial < 3000; ++trial) {
        const std::size_t n = 1 + random() % 300;
        const int distinct = 1 + static_cast<int>(random() % (n + 1));
        const std::vector<double> keys = RandomKeys(random, n, distinct);
        sorter.Sort(keys, fast);
        ASSERT_EQ(fast, LiteralExchangeSort(keys)) << "trial " << trial;
    }
    for (int distinct : {3, 40, 5000}) {
        const std::vector<double> keys = RandomKeys(random, 5000, distinct);
        sorter.Sort(keys, fast);
        ASSERT_EQ(fast, LiteralExchangeSort(keys)) << distinct << " distinct keys";
    }
}

TEST(ExchangeSort, TheQueueCharacterisationMatchesTheLiteralProcedure)
{
    // The reference of the large arrays below is itself checked here.
    std::mt19937 random(7);
    for (int trial = 0; trial < 500; ++trial) {
        const std::size_t n = 1 + random() % 200;
        const std::vector<double> keys = RandomKeys(random, n, 1 + static_cast<int>(random() % 12));
        ASSERT_EQ(QueueCharacterisation(keys), LiteralExchangeSort(keys)) << "trial " << trial;
    }
}

TEST(ExchangeSort, LargeArraysMatchTheQueueCharacterisation)
{
    std::mt19937 random(99);
    for (int distinct : {2, 12, 60}) {
        const std::vector<double> keys = RandomKeys(random, 200000, distinct);
        ASSERT_EQ(ExchangeSortPermutation(keys), QueueCharacterisation(keys)) << distinct << " distinct keys";
    }
}

TEST(ExchangeSort, LargeArraysOfDistinctKeysComeOutAscending)
{
    std::mt19937 random(5);
    std::vector<double> keys(200000);
    std::iota(keys.begin(), keys.end(), 0.0);
    std::shuffle(keys.begin(), keys.end(), random);
    const Permutation order = ExchangeSortPermutation(keys);
    ASSERT_EQ(order.size(), keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) ASSERT_EQ(keys[order[i]], static_cast<double>(i));
}

TEST(ExchangeSort, HeaderClicksOnTheDefaultSearchMatchTheLiteralProcedure)
{
    const SearchItemsOutcome items = ReadSearchItems(SearchRowsOf(DefaultItemTable()));
    ASSERT_TRUE(items.ok());
    const CandidateList list = RunDesignSearch(items.items, PileInput::StartDefaults(), kUnits).candidates;
    ASSERT_EQ(list.size(), 1152u);

    std::vector<std::uint32_t> order = SearchOrder(list);
    std::vector<std::uint32_t> expected = order;
    SortStates states;
    for (int column : {candcol::Size1, candcol::Ra, candcol::Size1}) {
        std::vector<double> keys;
        for (std::uint32_t row : expected) keys.push_back(ReadNumber(list.Text(row, column)));
        std::vector<std::uint32_t> next;
        for (std::uint32_t position : LiteralExchangeSort(keys)) next.push_back(expected[position]);
        expected = next;
        states = {};  // every click sorts afresh
        ClickResultHeader(states, column, order, list);
        ASSERT_EQ(order, expected) << "column " << column;
    }
}

}  // namespace
}  // namespace rockpile
