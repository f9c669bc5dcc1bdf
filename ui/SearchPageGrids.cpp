// The design search page, its part that sizes the columns of the item table and the
// result grids to the page's scale and to the texts they show. The rest of the page is
// in SearchPage.cpp.
#include "ui/SearchPage.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "report/Texts.h"
#include "search/CandidateList.h"
#include "search/ResultSorting.h"
#include "search/SearchItems.h"
#include "ui/CandidateModel.h"

namespace rockpile {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString CellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// Design widths of the item table's columns and of the result grids' columns (the
// remarks column keeps the view's own default width).
constexpr int kItemColumnWidths[itemcol::Count] = {160, 54, 54, 54, 300};
constexpr int kResultColumnWidth = 70;
constexpr int kSizeColumnWidth = 80;
constexpr int kRowHeight = 24;

// The widest texts a column of the result grids shows besides its headers: pile
// numbers, section names, sizes, and the Ra of a search (up to 8 digits and 2
// decimals).
// A cell draws its text between margins of the focus frame and a grid line.
int CellMargins(const QTableView* grid)
{
    return 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
}

QStringList WidestCellTexts(int column)
{
    switch (column) {
    case candcol::Number: return {QStringLiteral("ZH-00000")};
    case candcol::Section: {
        QStringList names;
        for (const SectionType type :
             {SectionType::Circular, SectionType::Ellipse, SectionType::Rectangle, SectionType::Square})
            names << Q(std::string(SectionName(type, SectionNameStyle::Column)));
        return names;
    }
    case candcol::Size1:
    case candcol::Size2: return {QStringLiteral("00000")};
    case candcol::Ra: return {QStringLiteral("00000000.00"), QStringLiteral("88888888.88")};
    default: return {};
    }
}

}  // namespace

void SearchPage::LayOutGrids()
{
    const double factor = scale();
    const auto scaled = [factor](int width) { return int(std::lround(width * factor)); };

    // A cell draws its text between margins of the focus frame and a grid line; a
    // header section between its header margins.
    const auto headerMargins = [](const QHeaderView* header) {
        return 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 1;
    };

    // The item table at its design widths; the explanation column wide enough for its
    // longest text, for a user who scrolls to it.
    for (int column = 0; column < itemcol::Count; ++column) {
        int width = scaled(kItemColumnWidths[column]);
        if (column == itemcol::Explanation) {
            const QFontMetrics metrics(Grid1_Youhuaxuanxiang->font());
            for (int row = 0; row < Grid1_Youhuaxuanxiang->rowCount(); ++row)
                width = std::max(width, metrics.horizontalAdvance(CellText(Grid1_Youhuaxuanxiang, row, column)) +
                                            CellMargins(Grid1_Youhuaxuanxiang));
        }
        Grid1_Youhuaxuanxiang->setColumnWidth(column, width);
    }

    // The result grids: every column at least as wide as its widest text, the headers
    // with a sort arrow and the longest Ra a search lists included. The five main
    // columns share the room beside the vertical scroll bar: when their design widths
    // do not fit there, the columns wider than their texts give up the difference.
    for (QTableView* grid : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        QHeaderView* header = grid->horizontalHeader();
        const CandidateModel* model = ModelOf(grid);
        const QFontMetrics cellMetrics(grid->font());
        const QFontMetrics headerMetrics(header->font());
        std::array<int, candcol::Remark> widths{};
        std::array<int, candcol::Remark> needs{};
        for (int column = 0; column < candcol::Remark; ++column) {
            QStringList headers{model->headerText(column)};
            for (int state = 0; state <= 2; ++state) {
                if (column == candcol::Size1) headers << Q(DHeaderText(SortStates{state, 0}));
                if (column == candcol::Ra) headers << Q(RaHeaderText(SortStates{0, state}));
            }
            int need = 0;
            for (const QString& text : headers)
                need = std::max(need, headerMetrics.horizontalAdvance(text) + headerMargins(header));
            for (const QString& text : WidestCellTexts(column))
                need = std::max(need, cellMetrics.horizontalAdvance(text) + CellMargins(grid));
            const std::size_t at = static_cast<std::size_t>(column);
            needs[at] = need;
            widths[at] = std::max(need, scaled(column == candcol::Size1 ? kSizeColumnWidth : kResultColumnWidth));
        }
        const int room = grid->width() - 2 * grid->frameWidth() - grid->verticalScrollBar()->sizeHint().width();
        int excess = -room;
        for (int column = 0; column <= candcol::Ra; ++column) excess += widths[static_cast<std::size_t>(column)];
        for (bool gave = true; excess > 0 && gave;) {
            gave = false;
            for (int column = candcol::Ra; column >= 0 && excess > 0; --column) {
                const std::size_t at = static_cast<std::size_t>(column);
                if (widths[at] > needs[at]) {
                    --widths[at];
                    --excess;
                    gave = true;
                }
            }
        }
        for (int column = 0; column < candcol::Remark; ++column)
            header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
    }

    for (QTableView* grid : {static_cast<QTableView*>(Grid1_Youhuaxuanxiang), Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setDefaultSectionSize(scaled(kRowHeight));
    }
}

void SearchPage::FitNumberColumns(std::size_t rows)
{
    if (rows == 0) return;
    // The last pile has the longest number; every digit drawn as the widest, "0".
    QString widest = Q(PileNumber(rows - 1, rows));
    for (QChar& character : widest)
        if (character.isDigit()) character = QLatin1Char('0');
    for (QTableView* grid : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        const int need = grid->fontMetrics().horizontalAdvance(widest) + CellMargins(grid);
        if (grid->columnWidth(candcol::Number) < need) grid->setColumnWidth(candcol::Number, need);
    }
}

}  // namespace rockpile
