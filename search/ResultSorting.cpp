#include "search/ResultSorting.h"

#include <algorithm>

#include "report/Format.h"
#include "search/ExchangeSort.h"

namespace rockpile {

namespace {

// KeyOf: double(std::uint32_t row, int column).
template <class KeyOf>
HeaderClickOutcome SortBy(SortStates& states, int column, std::vector<std::uint32_t>& order, const KeyOf& key)
{
    const bool byD = column == candcol::Size1;
    int& state = byD ? states.dSortState : states.raSortState;
    int& other = byD ? states.raSortState : states.dSortState;

    if (state == 0) {
        std::vector<double> keys(order.size());
        for (std::size_t i = 0; i < order.size(); ++i) keys[i] = key(order[i], column);
        ExchangeSortOrder(order, keys);
        state = 1;
    } else {
        // States 1 and 2 only reverse; the numbers are not looked at again.
        std::reverse(order.begin(), order.end());
        state = state == 1 ? 2 : 1;
    }
    other = 0;

    HeaderClickOutcome outcome;
    outcome.sorted = true;
    outcome.selectFirstRow = true;
    outcome.enableSave = true;
    outcome.message = std::string(byD ? "d" : "Ra") + (state == 1 ? "升序排列完成" : "降序排列完成");
    outcome.dHeader = DHeaderText(states);
    outcome.raHeader = RaHeaderText(states);
    return outcome;
}

std::string HeaderWithArrow(const char* text, int state)
{
    std::string header = text;
    if (state == 1) header += "▲";
    if (state == 2) header += "▼";
    return PadLeft(header, ' ', 8);
}

template <class KeyOf>
HeaderClickOutcome Click(SortStates& states, int column, std::vector<std::uint32_t>& order, const KeyOf& key)
{
    HeaderClickOutcome outcome;
    if (order.size() < 2) {
        outcome.message = "无需排序";
        return outcome;
    }
    if (column != candcol::Size1 && column != candcol::Ra) {
        outcome.message = "仅支持d、Ra排序";
        outcome.selectFirstRow = true;
        return outcome;
    }
    return SortBy(states, column, order, key);
}

}  // namespace

HeaderClickOutcome ClickResultHeader(SortStates& states, int column, std::vector<std::uint32_t>& order,
                                     const SortKey& key)
{
    return Click(states, column, order, key);
}

HeaderClickOutcome ClickResultHeader(SortStates& states, int column, std::vector<std::uint32_t>& order,
                                     const CandidateList& list)
{
    return Click(states, column, order,
                 [&list](std::uint32_t row, int keyColumn) { return list.Key(row, keyColumn); });
}

std::string DHeaderText(const SortStates& states) { return HeaderWithArrow("d|a(mm)", states.dSortState); }

std::string RaHeaderText(const SortStates& states) { return HeaderWithArrow("Ra(kN)", states.raSortState); }

void ExchangeSortOrder(std::vector<std::uint32_t>& order, const std::vector<double>& keysInOrder)
{
    std::vector<std::uint32_t> permutation;
    ExchangeSorter sorter;
    sorter.Sort(keysInOrder, permutation);
    std::vector<std::uint32_t> sorted(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = order[permutation[i]];
    order.swap(sorted);
}

}  // namespace rockpile
