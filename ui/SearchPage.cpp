// The design search page: the item table, the search, sorting, filtering, taking a
// candidate back and the moves to and from the page.
//
// The search itself, the sort, the filter and the file lines are plain-data functions
// of search/; this file connects them to the controls. The two result grids are views
// over one shared CandidateList: the full list shows it in an order that the header
// clicks permute, the filtered list in an order selected from that one.
#include "ui/SearchPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QTableView>
#include <QTableWidget>
#include <cmath>
#include <optional>
#include <utility>

#include "report/Format.h"
#include "report/TimeStamp.h"
#include "search/CandidateList.h"
#include "search/DesignSearch.h"
#include "search/ResultFiles.h"
#include "search/ResultFilter.h"
#include "search/ResultSorting.h"
#include "search/SearchItems.h"
#include "ui/BackgroundTask.h"
#include "ui/ListSaveTask.h"
#include "ui/CandidateModel.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "files/ResultFile.h"
#include "ui/ScaledPage.h"

using rockpile::CandidateModel;
namespace candcol = rockpile::candcol;
namespace itemcol = rockpile::itemcol;
namespace itemrow = rockpile::itemrow;

namespace {

const QColor kRed(rockpile::kRed);
const QColor kBlack(rockpile::kBlack);

const QString kExpand = QStringLiteral("展开");
const QString kFold = QStringLiteral("折叠");
const QString kCompute = QStringLiteral("计算");

// Design widths of the item table's columns and of the result grids' columns (the
// remarks column keeps the view's own default width).
constexpr int kItemColumnWidths[itemcol::Count] = {160, 54, 54, 54, 300};
constexpr int kResultColumnWidth = 70;
constexpr int kSizeColumnWidth = 80;
constexpr int kRowHeight = 24;

// A search reports its progress every so many candidates.
constexpr std::uint64_t kProgressInterval = 4096;

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QString CellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

void SetCell(QTableWidget* table, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, new QTableWidgetItem(text));
}

void ShowInformation(QLabel* line, const QString& text, const QColor& colour)
{
    rockpile::SetTextColour(line, colour);
    line->setText(text);
}

// The columns of a result grid in a fold state: expanded, every column but the
// weathering, which is never shown; folded, the five main columns.
void ShowFoldColumns(QTableView* grid, bool expanded)
{
    for (int column = 0; column < candcol::Count; ++column)
        grid->setColumnHidden(column, expanded ? column == candcol::Weathering : column > candcol::Ra);
}

// The rows of an empty search, for the functions that want a list.
const rockpile::CandidateList& ListOf(const CandidateModel* model)
{
    static const rockpile::CandidateList empty;
    return model->list() ? *model->list() : empty;
}

}  // namespace

struct MainForm::SearchPageState {
    CandidateModel* allCandidates = nullptr;       // model of Grid2_Youhuajieguo
    CandidateModel* filteredCandidates = nullptr;  // model of Grid3_Youhuasaixuan
    // The work running in the worker thread, if any, and the states of the controls
    // that it disabled.
    std::unique_ptr<rockpile::BackgroundTask> task;
    std::vector<std::pair<QWidget*, bool>> enabledBefore;
    int progressMinimum = 0;
    int progressMaximum = 100;
    int progressValue = -1;

    CandidateModel* modelOf(const QTableView* grid) const
    {
        return static_cast<CandidateModel*>(grid->model());
    }
};

struct MainForm::CandidateOnPage {
    int sectionItem = 0;  // item of cbb_jmlx: 0 circle, 1 ellipse, 2 rectangle
    QString first;        // cbe_dd: d or a
    QString second;       // cbe_tyzd: c or b, "0" for a circle
    int basisItem = 0;    // item of cbb_wanzhengchengdu
    QString lr;           // layer row 0, column 1
    QString frk;          // column 5
    std::optional<QString> weathering;      // column 2
    std::optional<QString> integrityClass;  // column 3
    std::optional<QString> kv;              // column 4
};

struct MainForm::SearchResult {
    // Set when the search ends before enumerating anything: a failed test or
    // conversion of the item table. The outcome is then unused.
    std::optional<std::string> refusal;
    rockpile::SearchOutcome outcome;
};

// ---------------------------------------------------------------- creation

void MainForm::FillSearchPage()
{
    searchPage = std::make_shared<SearchPageState>();

    // The item table: names and explanations are read-only; which of the other cells
    // can be edited is decided when a cell is selected.
    const rockpile::ItemTableTexts texts = rockpile::DefaultItemTable();
    const auto headers = rockpile::ItemTableHeaders();
    QTableWidget* items = Grid1_Youhuaxuanxiang;
    items->setColumnCount(itemcol::Count);
    items->setRowCount(itemrow::TableRows);
    QStringList labels;
    for (const std::string& header : headers) labels << Q(header);
    items->setHorizontalHeaderLabels(labels);
    items->verticalHeader()->hide();
    for (int row = 0; row < itemrow::TableRows; ++row) {
        for (int column = 0; column < itemcol::Count; ++column) {
            auto* item = new QTableWidgetItem(Q(texts[static_cast<size_t>(row)][static_cast<size_t>(column)]));
            const bool value = column >= itemcol::Min && column <= itemcol::Step;
            item->setTextAlignment(value ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (rockpile::ItemCellEditable(row, column)) flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            items->setItem(row, column, item);
        }
    }
    items->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The result grids: views over the candidates, all cells read-only.
    for (QTableView* grid : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        auto* model = new CandidateModel(grid);
        grid->setModel(model);
        grid->verticalHeader()->hide();
        grid->setWordWrap(false);
        ShowFoldColumns(grid, false);
    }
    searchPage->allCandidates = searchPage->modelOf(Grid2_Youhuajieguo);
    searchPage->filteredCandidates = searchPage->modelOf(Grid3_Youhuasaixuan);

    connect(YouHuaFormLayer, &rockpile::ScaledPage::scaleChanged, this, [this] { LayOutSearchGrids(); });
    LayOutSearchGrids();
}

void MainForm::LayOutSearchGrids()
{
    const double scale = YouHuaFormLayer->scale();
    const auto scaled = [scale](int width) { return int(std::lround(width * scale)); };

    for (int column = 0; column < itemcol::Count; ++column)
        Grid1_Youhuaxuanxiang->setColumnWidth(column, scaled(kItemColumnWidths[column]));

    for (QTableView* grid : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        QHeaderView* header = grid->horizontalHeader();
        for (int column = 0; column < candcol::Remark; ++column)
            header->resizeSection(column, scaled(column == candcol::Size1 ? kSizeColumnWidth : kResultColumnWidth));
    }

    for (QTableView* grid : {static_cast<QTableView*>(Grid1_Youhuaxuanxiang), Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) {
        grid->verticalHeader()->setMinimumSectionSize(1);
        grid->verticalHeader()->setDefaultSectionSize(scaled(kRowHeight));
    }
}

// ---------------------------------------------------------------- page moves

void MainForm::cbt_YouHuaClick()
{
    MainFormLayer->hide();
    YouHuaFormLayer->show();
    SaveTarget = 1;
}

void MainForm::cbt_YHfanhuiClick()
{
    MainFormLayer->show();
    YouHuaFormLayer->hide();
    SaveTarget = 0;
}

void MainForm::cbt_zhangkaiClick()
{
    if (cbt_zhangkai->text() == kExpand) {
        Grid1_Youhuaxuanxiang->setColumnHidden(itemcol::Explanation, false);
        cbt_zhangkai->setText(kFold);
    } else if (cbt_zhangkai->text() == kFold) {
        Grid1_Youhuaxuanxiang->setColumnHidden(itemcol::Explanation, true);
        cbt_zhangkai->setText(kExpand);
    } else {
        return;
    }
    for (QTableView* grid : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan}) ShowFoldColumns(grid, cbt_zhangkai->text() == kFold);
}

// ---------------------------------------------------------------- item table

void MainForm::Grid1_YouhuaxuanxiangSelectCell(int row, int column)
{
    Grid1_Youhuaxuanxiang->setEditTriggers(rockpile::ItemCellEditable(row, column)
                                               ? QAbstractItemView::DoubleClicked |
                                                     QAbstractItemView::SelectedClicked |
                                                     QAbstractItemView::EditKeyPressed |
                                                     QAbstractItemView::AnyKeyPressed
                                               : QAbstractItemView::NoEditTriggers);
}

void MainForm::Grid1_YouhuaxuanxiangEditingDone(int row, int column)
{
    // Nothing is checked here; the search and the filter read the cells when they run.
    // While work runs in the background its end restores the buttons.
    if (SearchPageBusy()) return;
    if (rockpile::ItemEditEnablesCompute(row, column)) cbt_YHcompute->setEnabled(true);
    if (rockpile::ItemEditEnablesFilter(row, column)) cbt_YHsaixuan->setEnabled(true);
}

// ---------------------------------------------------------------- background work

bool MainForm::SearchPageBusy() const { return searchPage && searchPage->task; }

void MainForm::BeginBackgroundWork(bool cancellable)
{
    SearchPageState& state = *searchPage;
    state.enabledBefore.clear();
    for (QWidget* control : std::initializer_list<QWidget*>{
             Grid1_Youhuaxuanxiang, Grid2_Youhuajieguo, Grid3_Youhuasaixuan, cbt_zhangkai, cbt_YHcompute,
             cbt_YHsaixuan, cbt_YHsave, cbt_YHfanhui}) {
        state.enabledBefore.emplace_back(control, control->isEnabled());
        control->setEnabled(false);
    }
    if (cancellable) {
        cbt_YHcompute->setText(QString::fromUtf8(rockpile::kCancelSearchText));
        cbt_YHcompute->setEnabled(true);
    }
    state.progressMinimum = pb_YH_jingdu->minimum();
    state.progressMaximum = pb_YH_jingdu->maximum();
    state.progressValue = pb_YH_jingdu->value();
    // A search counts its candidates; a sort cannot tell how far it is and shows that
    // it is busy.
    if (cancellable)
        pb_YH_jingdu->setRange(0, 100);
    else
        pb_YH_jingdu->setRange(0, 0);
    pb_YH_jingdu->setValue(0);
    pb_YH_jingdu->show();
    pb_YH_jingdu->raise();
}

void MainForm::EndBackgroundWork()
{
    SearchPageState& state = *searchPage;
    if (state.task) {
        state.task->wait();
        state.task.release()->deleteLater();
    }
    for (const auto& [control, enabled] : state.enabledBefore) control->setEnabled(enabled);
    state.enabledBefore.clear();
    cbt_YHcompute->setText(kCompute);
    pb_YH_jingdu->hide();
    pb_YH_jingdu->setRange(state.progressMinimum, state.progressMaximum);
    pb_YH_jingdu->setValue(state.progressValue);
}

// ---------------------------------------------------------------- the search

void MainForm::cbt_YHcomputeClick()
{
    if (SearchPageBusy()) {
        // "取消": the search ends at its next candidate and the page stays as it was.
        if (searchPage->task->stopRequested()) return;
        cbt_YHcompute->setEnabled(false);
        searchPage->task->requestStop();
        return;
    }

    rockpile::SearchItemTexts texts;
    for (int row = 0; row < itemrow::SearchRows; ++row)
        texts[static_cast<size_t>(row)] = {S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Name)),
                                           S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Min)),
                                           S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Max)),
                                           S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Step))};
    const rockpile::SearchItemsOutcome read = rockpile::ReadSearchItems(texts);

    auto result = std::make_shared<SearchResult>();
    if (!read.ok()) {
        // The grids are emptied and the page set for a search before the table is
        // read; a failed test or conversion ends the search there, with its message.
        result->refusal = read.error->message;
        ShowSearchResult(*result);
        return;
    }

    // The options of the input page that every candidate keeps, and the precision of
    // the Ra texts.
    const rockpile::PileInput page = ReadPileInput();
    const int precisionMode = popbox_jingdu->currentIndex();
    const std::uint64_t count = rockpile::CandidateCount(read.items);

    if (count <= rockpile::kSearchInWorkerAbove || count > rockpile::kMaxCandidates) {
        // Small enough to run within the click (or refused at once for its size).
        result->outcome = rockpile::RunDesignSearch(read.items, page, precisionMode);
        ShowSearchResult(*result);
        return;
    }

    // A wide search runs in the worker; the page changes only when it has ended, so a
    // cancelled search leaves everything as it was.
    const rockpile::SearchItems items = read.items;
    searchPage->task = std::make_unique<rockpile::BackgroundTask>(
        [result, items, page, precisionMode](std::stop_token stop, const rockpile::BackgroundTask::Progress& progress) {
            rockpile::SearchControl control;
            control.stop = stop;
            control.progress = progress;
            control.progressInterval = kProgressInterval;
            result->outcome = rockpile::RunDesignSearch(items, page, precisionMode, control);
        });
    connect(searchPage->task.get(), &rockpile::BackgroundTask::progress, this, [this](quint64 done, quint64 total) {
        if (total > 0) pb_YH_jingdu->setValue(int(done * 100 / total));
    });
    connect(searchPage->task.get(), &rockpile::BackgroundTask::finished, this, [this, result] {
        // A search that ended by itself after "取消" was pressed counts as cancelled.
        const bool cancelPressed = searchPage->task->stopRequested();
        EndBackgroundWork();
        if (!cancelPressed && result->outcome.end != rockpile::SearchEnd::Cancelled) ShowSearchResult(*result);
    });
    BeginBackgroundWork(true);
    searchPage->task->start();
}

void MainForm::ShowSearchResult(SearchResult& result)
{
    rockpile::SearchOutcome& outcome = result.outcome;
    CandidateModel* all = searchPage->allCandidates;
    CandidateModel* filtered = searchPage->filteredCandidates;

    // Both grids emptied, the full list on view, the information line emptied, the
    // search page in use.
    all->clear();
    filtered->clear();
    Grid2_Youhuajieguo->show();
    Grid3_Youhuasaixuan->hide();
    lb_YHxingxi->clear();
    SaveTarget = 1;

    if (result.refusal || outcome.end == rockpile::SearchEnd::TooManyCandidates) {
        // Nothing was enumerated: a failed test of the item table, or a search too
        // wide to hold.
        ShowInformation(lb_YHxingxi, Q(result.refusal ? *result.refusal : outcome.message), kRed);
        return;
    }

    // The input page as a search leaves it: one layer, frk given, automatic
    // coefficients, the status line in place of the banner, and the last candidate
    // (or the one that failed) in its controls, computed as "计算" computes it but
    // without a report entry.
    img_logo->hide();
    lb_shuoming->show();
    pb_YH_jingdu->setRange(0, 100);
    pb_YH_jingdu->setValue(0);
    pb_YH_jingdu->hide();
    cbb_yanchengshu->setCurrentIndex(0);
    cbb_qiangduzhi->setCurrentIndex(1);
    cbb_chezhuxishu->setCurrentIndex(1);
    if (outcome.lastInput) {
        const rockpile::PileInput& input = *outcome.lastInput;
        const rockpile::RockLayer& layer = input.layers.front();
        CandidateOnPage candidate;
        candidate.sectionItem = input.sectionType == rockpile::SectionType::Circular  ? 0
                                : input.sectionType == rockpile::SectionType::Ellipse ? 1
                                                                                      : 2;
        candidate.first = Q(input.d);
        candidate.second = Q(input.c);
        candidate.basisItem = input.interpolationBasis == rockpile::InterpolationBasis::IntegrityIndex ? 1 : 0;
        candidate.lr = Q(layer.lr);
        candidate.frk = Q(layer.frk);
        // Both cells as the search left them: the one of the last candidate's basis,
        // and the other as an earlier candidate (or the page) had it.
        candidate.integrityClass = Q(layer.integrityText);
        candidate.kv = Q(layer.kv);
        PutCandidateOnPage(candidate);
        RunCompute();
    }

    auto list = std::make_shared<const rockpile::CandidateList>(std::move(outcome.candidates));
    all->setRows(list, rockpile::SearchOrder(*list));
    filtered->setRows(list, {});
    ShowInformation(lb_YHxingxi, Q(outcome.message), QColor(outcome.messageColour));

    if (outcome.end != rockpile::SearchEnd::Completed) return;  // stopped at a diagnostic
    cbt_YHcompute->setEnabled(false);
    cbt_YHsaixuan->setEnabled(true);
    cbt_YHsave->setEnabled(true);
    DSortState = 0;
    RaSortState = 0;
    const QString raHeader = Q(rockpile::RaHeaderText(rockpile::SortStates{}));
    all->setHeaderText(candcol::Ra, raHeader);
    filtered->setHeaderText(candcol::Ra, raHeader);
}

void MainForm::PutCandidateOnPage(const CandidateOnPage& candidate)
{
    // The section first: its change handler writes a default size into cbe_tyzd, which
    // the candidate's size then replaces.
    cbb_jmlx->setCurrentIndex(candidate.sectionItem);
    cbe_dd->setText(candidate.first);
    cbe_tyzd->setText(candidate.second);
    cbb_yanchengshu->setCurrentIndex(0);
    cbb_qiangduzhi->setCurrentIndex(1);
    cbb_chezhuxishu->setCurrentIndex(1);
    cbb_wanzhengchengdu->setCurrentIndex(candidate.basisItem);
    SetCell(StringGrid_QB2, 0, rockpile::col::Lr, candidate.lr);
    if (candidate.weathering) SetCell(StringGrid_QB2, 0, rockpile::col::Weathering, *candidate.weathering);
    if (candidate.integrityClass) SetCell(StringGrid_QB2, 0, rockpile::col::Integrity, *candidate.integrityClass);
    if (candidate.kv) SetCell(StringGrid_QB2, 0, rockpile::col::Kv, *candidate.kv);
    SetCell(StringGrid_QB2, 0, rockpile::col::Frk, candidate.frk);
}

// ---------------------------------------------------------------- sorting

void MainForm::Grid2_YouhuajieguoHeaderClick(int column) { ResultHeaderClick(Grid2_Youhuajieguo, column); }

void MainForm::Grid3_YouhuasaixuanHeaderClick(int column) { ResultHeaderClick(Grid3_Youhuasaixuan, column); }

void MainForm::ResultHeaderClick(QTableView* grid, int column)
{
    if (SearchPageBusy()) return;
    CandidateModel* model = searchPage->modelOf(grid);

    // Applies the outcome of a click once the rows are in their new order.
    const auto show = [this, grid, model, column](const rockpile::SortStates& states,
                                                   const rockpile::HeaderClickOutcome& click) {
        if (click.sorted) {
            DSortState = states.dSortState;
            RaSortState = states.raSortState;
            model->orderChanged();
        }
        if (click.dHeader) model->setHeaderText(candcol::Size1, Q(*click.dHeader));
        if (click.raHeader) model->setHeaderText(candcol::Ra, Q(*click.raHeader));
        // The clicked column's cell of the first row becomes current, which selects
        // that row.
        if (click.selectFirstRow && model->size() > 0) grid->setCurrentIndex(model->index(0, column));
        if (click.enableSave) cbt_YHsave->setEnabled(true);
        ShowInformation(lb_YHxingxi, Q(click.message), kBlack);
    };

    rockpile::SortStates states{DSortState, RaSortState};
    const bool fullSort = (column == candcol::Size1 && states.dSortState == 0) ||
                          (column == candcol::Ra && states.raSortState == 0);
    if (!fullSort || model->size() <= rockpile::kSortInWorkerAbove) {
        const rockpile::HeaderClickOutcome click = rockpile::ClickResultHeader(states, column, model->order(), ListOf(model));
        show(states, click);
        return;
    }

    // The sort of a very long list runs in the worker on a copy of the order, which
    // replaces the grid's order when it is done.
    struct Sort {
        rockpile::SortStates states;
        std::vector<std::uint32_t> order;
        std::shared_ptr<const rockpile::CandidateList> list;
        rockpile::HeaderClickOutcome click;
    };
    auto sort = std::make_shared<Sort>(Sort{states, model->order(), model->list(), {}});
    searchPage->task = std::make_unique<rockpile::BackgroundTask>(
        [sort, column](std::stop_token, const rockpile::BackgroundTask::Progress&) {
            sort->click = rockpile::ClickResultHeader(sort->states, column, sort->order, *sort->list);
        });
    connect(searchPage->task.get(), &rockpile::BackgroundTask::finished, this, [this, model, sort, show] {
        EndBackgroundWork();
        if (sort->list != model->list()) return;  // the rows were replaced meanwhile
        model->order() = std::move(sort->order);
        show(sort->states, sort->click);
    });
    BeginBackgroundWork(false);
    searchPage->task->start();
}

// ---------------------------------------------------------------- filtering

void MainForm::cbt_YHsaixuanClick()
{
    if (SearchPageBusy()) return;
    const rockpile::ItemRowTexts window{S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Name)),
                                        S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Min)),
                                        S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Max)),
                                        S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Step))};
    const rockpile::FilterWindowOutcome read = rockpile::ReadFilterWindow(window);
    if (!read.ok()) {
        // A bound that is not a number changes nothing but the information line.
        ShowInformation(lb_YHxingxi, Q(read.error->message), kRed);
        return;
    }

    CandidateModel* all = searchPage->allCandidates;
    CandidateModel* filtered = searchPage->filteredCandidates;
    filtered->clear();
    Grid3_Youhuasaixuan->show();
    Grid2_Youhuajieguo->hide();
    lb_YHxingxi->clear();

    // Always from the full list, in its current order.
    rockpile::FilterOutcome kept = rockpile::FilterCandidates(ListOf(all), all->order(), read.window);
    const bool any = !kept.rows.empty();
    filtered->setRows(all->list(), std::move(kept.rows));
    ShowInformation(lb_YHxingxi, Q(kept.message), kBlack);
    if (any) SaveTarget = 1;
    cbt_YHsaixuan->setEnabled(false);
    cbt_YHsave->setEnabled(kept.enableSave);
    DSortState = 0;
    RaSortState = 0;
    filtered->setHeaderText(candcol::Ra, Q(rockpile::RaHeaderText(rockpile::SortStates{})));
}

// ---------------------------------------------------------------- taking a candidate back

void MainForm::Grid2_YouhuajieguoCellDblClick(int row, int /*column*/) { TakeBackCandidate(Grid2_Youhuajieguo, row); }

void MainForm::Grid3_YouhuasaixuanCellDblClick(int row, int /*column*/) { TakeBackCandidate(Grid3_Youhuasaixuan, row); }

void MainForm::TakeBackCandidate(QTableView* grid, int row)
{
    if (SearchPageBusy()) return;
    const CandidateModel* model = searchPage->modelOf(grid);
    if (row < 0 || row >= model->rowCount()) return;
    const rockpile::CandidateTexts cells = model->rowTexts(row);
    const auto cell = [&cells](int column) { return Q(cells[static_cast<size_t>(column)]); };

    // A square goes back as a rectangle with two equal sides; a circle has no second size.
    CandidateOnPage candidate;
    const QString section = cell(candcol::Section);
    const bool circle = section == Q(rockpile::SectionName(1));
    candidate.sectionItem = circle ? 0 : section == Q(rockpile::SectionName(2)) ? 1 : 2;
    candidate.first = cell(candcol::Size1);
    candidate.second = circle ? QStringLiteral("0") : cell(candcol::Size2);
    candidate.basisItem = cell(candcol::Basis).toInt() - 1;
    candidate.lr = cell(candcol::Depth);
    candidate.weathering = cell(candcol::Weathering);
    if (candidate.basisItem == 0)
        candidate.integrityClass = cell(candcol::Integrity);
    else
        candidate.kv = cell(candcol::Integrity);
    candidate.frk = cell(candcol::Frk);
    PutCandidateOnPage(candidate);

    // The input page with the candidate ready for "计算", which then enters the reports.
    cbt_YHfanhuiClick();
    ClearResultDisplay();
}

// ---------------------------------------------------------------- saving

void MainForm::SaveVisibleList()
{
    const CandidateModel* model = nullptr;
    rockpile::ResultFileKind kind = rockpile::ResultFileKind::AllCandidates;
    QString fileName;
    if (!Grid2_Youhuajieguo->isHidden() && searchPage->allCandidates->size() > 0) {
        model = searchPage->allCandidates;
        fileName = rockpile::SearchResultFileName();
    } else if (!Grid3_Youhuasaixuan->isHidden() && searchPage->filteredCandidates->size() > 0) {
        model = searchPage->filteredCandidates;
        kind = rockpile::ResultFileKind::Filtered;
        fileName = rockpile::FilteredResultFileName();
    } else {
        return;
    }
    if (SearchPageBusy()) return;
    const QString folder = documentsPath ? documentsPath() : rockpile::DocumentsPath();
    if (folder.isEmpty()) {
        ShowMessage(rockpile::NoDocumentsFolderMessage());
        return;
    }

    rockpile::ListSaveJob job;
    job.list = model->list();
    // The grids and the buttons that could change the order stay disabled while a
    // background save runs, and the window waits for it before the models go.
    job.order = &model->order();
    job.kind = kind;
    job.path = rockpile::ResultFilePath(folder, fileName);
    job.timeStamp = [clock = reportClock] { return rockpile::TimeStamp(clock(), QLocale()); };
    const auto failed = [this, path = job.path](const QString& error) {
        ShowMessage(error.isEmpty() ? rockpile::SaveFailureMessage(path, rockpile::SaveFailure::OutOfMemory, {})
                                    : error);
    };

    if (job.order->size() <= rockpile::kSaveListInWorkerAbove) {
        const rockpile::ListSaveOutcome outcome = rockpile::SaveCandidateList(job);
        if (outcome.written)
            cbt_YHsave->setEnabled(false);
        else
            failed(outcome.error);
        return;
    }

    auto outcome = std::make_shared<rockpile::ListSaveOutcome>();
    try {
        searchPage->task = std::make_unique<rockpile::BackgroundTask>(
            [job, outcome](std::stop_token stop, const rockpile::BackgroundTask::Progress& progress) {
                *outcome = rockpile::SaveCandidateList(job, stop, progress);
            });
        connect(searchPage->task.get(), &rockpile::BackgroundTask::progress, this,
                [this](quint64 done, quint64 total) {
                    if (total > 0) pb_YH_jingdu->setValue(int(done * 100 / total));
                });
        connect(searchPage->task.get(), &rockpile::BackgroundTask::finished, this, [this, outcome, failed] {
            EndBackgroundWork();
            // "取消" leaves the earlier file and "存盘" as they were, without a message.
            if (outcome->written)
                cbt_YHsave->setEnabled(false);
            else if (!outcome->cancelled)
                failed(outcome->error);
        });
        BeginBackgroundWork(true);
        searchPage->task->start();
    } catch (const std::exception&) {
        // No thread or no memory for one: the save has not begun.
        if (searchPage->task) EndBackgroundWork();
        failed(QString());
    }
}
