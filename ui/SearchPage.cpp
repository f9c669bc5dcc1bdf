// The design search page: the item table, the search, sorting, filtering, taking a
// candidate back and the list that "存盘" writes.
//
// The search itself, the sort, the filter and the file lines are plain-data functions
// of search/; this file connects them to the controls. The two result grids are views
// over one shared CandidateList: the full list shows it in an order that the header
// clicks permute, the filtered list in an order selected from that one. The widths of
// the grids' columns are set in SearchPageGrids.cpp.
#include "ui/SearchPage.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QFontMetrics>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QPersistentModelIndex>
#include <QProgressBar>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <functional>
#include <utility>

#include "report/Format.h"
#include "report/Texts.h"
#include "search/CandidateList.h"
#include "search/DesignSearch.h"
#include "search/ResultFiles.h"
#include "search/ResultFilter.h"
#include "search/ResultSorting.h"
#include "search/SearchItems.h"
#include "ui/BackgroundTask.h"
#include "ui/CandidateChart.h"
#include "ui/ListSaveTask.h"
#include "ui/CandidateModel.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/PageParts.h"
#include "files/TimeStamp.h"
#include "files/ResultFile.h"

namespace rockpile {

namespace {

const QString kExpand = QStringLiteral("展开");
const QString kFold = QStringLiteral("折叠");
const QString kCompute = QStringLiteral("计算");

// A search reports its progress every so many candidates.
constexpr std::uint64_t kProgressInterval = 4096;

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QString CellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

void ShowInformation(QLabel* line, const QString& text, const QColor& colour)
{
    // Messages are plain text ("<" in a message is no tag); only the line that says
    // where a saved list went carries a link.
    SetTextColour(line, colour);
    line->setTextFormat(Qt::PlainText);
    line->setToolTip(QString());
    line->setText(text);
}

// The item table moves with Tab and Shift+Tab among its editable cells in reading
// order and hands the focus on after the last (or before the first) of them, so the
// keyboard reaches the buttons below it.
//
// It also tells when an edit ends, however it ends, with the cell that was edited: by
// then Tab or a click has already made another cell current.
class ItemTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<void(int row, int column)> editingDone;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override
    {
        const bool editing = QTableWidget::edit(index, trigger, event);
        if (editing) edited_ = index;
        return editing;
    }

    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        // Taken first: moving on with Tab may open the editor of the next cell.
        const QPersistentModelIndex edited = std::exchange(edited_, QPersistentModelIndex());
        QTableWidget::closeEditor(editor, hint);
        if (editingDone && edited.isValid()) editingDone(edited.row(), edited.column());
    }

    bool focusNextPrevChild(bool next) override
    {
        if (tabKeyNavigation() && state() != EditingState) {
            const int cells = rowCount() * columnCount();
            int at = currentRow() >= 0 ? currentRow() * columnCount() + currentColumn() : (next ? -1 : cells);
            for (at += next ? 1 : -1; at >= 0 && at < cells; at += next ? 1 : -1) {
                const int row = at / columnCount();
                const int column = at % columnCount();
                if (!isColumnHidden(column) && ItemCellEditable(row, column)) {
                    setCurrentCell(row, column);
                    return true;
                }
            }
        }
        return QAbstractScrollArea::focusNextPrevChild(next);
    }

private:
    QPersistentModelIndex edited_;
};

// The rows of an empty search, for the functions that want a list.
const CandidateList& ListOf(const CandidateModel* model)
{
    static const CandidateList empty;
    return model->list() ? *model->list() : empty;
}

}  // namespace

// The long work (a wide search or the sort of a very long list) running in the worker
// thread, and the states of the controls that it disabled. Destroying it stops and
// waits for that work.
struct SearchPage::Work {
    std::unique_ptr<BackgroundTask> task;
    std::vector<std::pair<QWidget*, bool>> enabledBefore;
    int progressMinimum = 0;
    int progressMaximum = 100;
    int progressValue = -1;
};

struct SearchPage::SearchResult {
    // Set when the search ends before enumerating anything: a failed test or
    // conversion of the item table. The outcome is then unused.
    std::optional<std::string> refusal;
    SearchOutcome outcome;
};

// ---------------------------------------------------------------- creation

SearchPage::SearchPage(SearchPageHost& host, QWidget* parent)
    : ScaledPage(QSizeF(370, 800), parent), host_(host), work_(std::make_unique<Work>())
{
    setObjectName(QStringLiteral("YouHuaFormLayer"));
    CreateControls();
    FillControls();
    ConnectHandlers();
}

SearchPage::~SearchPage()
{
    // Work still running ends before the controls go; the controls outlive this part
    // of the page by a moment, and no handler may run on a page being destroyed.
    work_.reset();
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
    static_cast<ItemTable*>(Grid1_Youhuaxuanxiang)->editingDone = nullptr;
}

void SearchPage::CreateControls()
{
    ScaledPage* page = this;
    lb_youhuabiaoti = MakeLabel(page, page, "lb_youhuabiaoti", QStringLiteral("嵌岩桩优化设计"), Rect(48, 10, 280, 33), 24);
    SetBold(lb_youhuabiaoti);
    lb_youhuabiaoti->setAlignment(Qt::AlignCenter);
    SetTextColour(lb_youhuabiaoti, colour::BlueViolet);

    Grid1_Youhuaxuanxiang = Named(new ItemTable(13, 5, page), "Grid1_Youhuaxuanxiang");
    Grid1_Youhuaxuanxiang->setAlternatingRowColors(true);
    Grid1_Youhuaxuanxiang->setEditTriggers(QAbstractItemView::AllEditTriggers);
    Grid1_Youhuaxuanxiang->setTabKeyNavigation(true);
    Grid1_Youhuaxuanxiang->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1_Youhuaxuanxiang->horizontalHeader()->setSectionsMovable(true);
    page->place(Grid1_Youhuaxuanxiang, Rect(4, 56, 362, 350));

    auto resultGrid = [&](const char* name) {
        auto* grid = Named(new QTableView(page), name);
        grid->setAlternatingRowColors(true);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // Read-only rows: the arrow keys move among them, Tab goes on to the buttons.
        grid->setTabKeyNavigation(false);
        grid->horizontalHeader()->setSectionsClickable(true);
        grid->horizontalHeader()->setSectionsMovable(true);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        page->place(grid, Rect(4, 414, 362, 280));
        return grid;
    };
    Grid2_Youhuajieguo = resultGrid("Grid2_Youhuajieguo");
    Grid3_Youhuasaixuan = resultGrid("Grid3_Youhuasaixuan");
    Grid3_Youhuasaixuan->hide();

    pb_YH_jingdu = Named(new QProgressBar(page), "pb_YH_jingdu");
    pb_YH_jingdu->setOrientation(Qt::Horizontal);
    pb_YH_jingdu->setTextVisible(false);
    pb_YH_jingdu->hide();
    page->place(pb_YH_jingdu, Rect(28, 648, 280, 10));

    lb_huzhu = MakeLabel(page, page, "lb_huzhu", QStringLiteral("1、点击表头排序   2、双击获取数据"), Rect(12, 696, 260, 25));
    cbt_zhangkai = MakeButton(page, page, "cbt_zhangkai", kExpand, 10, Rect(318, 696, 40, 25));
    cbt_YHcompute = MakeButton(page, page, "cbt_YHcompute", kCompute, 10, Rect(32, 732, 70, 33));
    cbt_YHsaixuan = MakeButton(page, page, "cbt_YHsaixuan", QStringLiteral("筛选"), 10, Rect(112, 732, 70, 33));
    cbt_YHsaixuan->setEnabled(false);
    cbt_YHsave = MakeButton(page, page, "cbt_YHsave", QStringLiteral("存盘"), 10, Rect(192, 732, 70, 33));
    cbt_YHsave->setEnabled(false);
    cbt_YHfanhui = MakeButton(page, page, "cbt_YHfanhui", QStringLiteral("返回"), 10, Rect(272, 732, 70, 33));
    // Esc while the page is on view (an open cell editor takes Esc for itself first).
    cbt_YHfanhui->setShortcut(QKeySequence(Qt::Key_Escape));
    cbt_YHfanhui->setToolTip(QStringLiteral("返回 (Esc)"));
    lb_YHxingxi = MakeLabel(page, page, "lb_YHxingxi", QString(), Rect(10, 770, 360, 25));
    lb_YHxingxi->setTextFormat(Qt::PlainText);
    lb_YHxingxi->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(lb_YHxingxi, &QLabel::linkActivated, this, [this] { emit openFolderRequested(savedFolder_); });
    CreateChart();
}

void SearchPage::FillControls()
{
    // The item table: names and explanations are read-only; which of the other cells
    // can be edited is decided when a cell is selected.
    const ItemTableTexts texts = DefaultItemTable();
    const auto headers = ItemTableHeaders();
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
            if (ItemCellEditable(row, column)) flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            // The explanations are longer than their column: the whole text shows on
            // hover as well.
            if (column == itemcol::Explanation) item->setToolTip(item->text());
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
    }
    allCandidates_ = ModelOf(Grid2_Youhuajieguo);
    filteredCandidates_ = ModelOf(Grid3_Youhuasaixuan);
    ShowFoldColumns();

    connect(this, &ScaledPage::scaleChanged, this, [this] { LayOutGrids(); });
    LayOutGrids();
}

void SearchPage::ConnectHandlers()
{
    const std::pair<RoundButton*, void (SearchPage::*)()> clicks[] = {
        {cbt_zhangkai, &SearchPage::cbt_zhangkaiClick},
        {cbt_YHcompute, &SearchPage::cbt_YHcomputeClick},
        {cbt_YHsaixuan, &SearchPage::cbt_YHsaixuanClick},
        {cbt_YHfanhui, &SearchPage::cbt_YHfanhuiClick},
    };
    for (const auto& [button, handler] : clicks) connect(button, &QPushButton::clicked, this, handler);
    connect(cbt_YHsave, &QPushButton::clicked, this, &SearchPage::saveRequested);

    connect(Grid1_Youhuaxuanxiang, &QTableWidget::currentCellChanged, this,
            &SearchPage::Grid1_YouhuaxuanxiangSelectCell);
    static_cast<ItemTable*>(Grid1_Youhuaxuanxiang)->editingDone = [this](int row, int column) {
        Grid1_YouhuaxuanxiangEditingDone(row, column);
    };
    connect(Grid2_Youhuajieguo->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &SearchPage::Grid2_YouhuajieguoHeaderClick);
    connect(Grid3_Youhuasaixuan->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &SearchPage::Grid3_YouhuasaixuanHeaderClick);
    connect(Grid2_Youhuajieguo, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        Grid2_YouhuajieguoCellDblClick(index.row(), index.column());
    });
    connect(Grid3_Youhuasaixuan, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        Grid3_YouhuasaixuanCellDblClick(index.row(), index.column());
    });
}

CandidateModel* SearchPage::ModelOf(const QTableView* grid) const
{
    return static_cast<CandidateModel*>(grid->model());
}

// ---------------------------------------------------------------- page moves and folding

void SearchPage::cbt_YHfanhuiClick() { emit backRequested(); }

// The columns of the result grids in the fold state: expanded, every column but the
// weathering, which is never shown; folded, the five main columns.
void SearchPage::ShowFoldColumns()
{
    for (QTableView* grid : {Grid2_Youhuajieguo, Grid3_Youhuasaixuan})
        for (int column = 0; column < candcol::Count; ++column)
            grid->setColumnHidden(column, expanded_ ? column == candcol::Weathering : column > candcol::Ra);
}

void SearchPage::cbt_zhangkaiClick()
{
    expanded_ = !expanded_;
    Grid1_Youhuaxuanxiang->setColumnHidden(itemcol::Explanation, !expanded_);
    cbt_zhangkai->setText(expanded_ ? kFold : kExpand);
    ShowFoldColumns();
    RefreshChart();
}

// ---------------------------------------------------------------- item table

void SearchPage::Grid1_YouhuaxuanxiangSelectCell(int row, int column)
{
    Grid1_Youhuaxuanxiang->setEditTriggers(ItemCellEditable(row, column)
                                               ? QAbstractItemView::DoubleClicked |
                                                     QAbstractItemView::SelectedClicked |
                                                     QAbstractItemView::EditKeyPressed |
                                                     QAbstractItemView::AnyKeyPressed
                                               : QAbstractItemView::NoEditTriggers);
}

void SearchPage::Grid1_YouhuaxuanxiangEditingDone(int row, int column)
{
    // Nothing is checked here; the search and the filter read the cells when they run.
    // While work runs in the background its end restores the buttons.
    if (row == itemrow::Filter) ShowBand();
    if (Busy()) return;
    if (ItemEditEnablesCompute(row, column)) cbt_YHcompute->setEnabled(true);
    if (ItemEditEnablesFilter(row, column)) cbt_YHsaixuan->setEnabled(true);
}

// ---------------------------------------------------------------- background work

bool SearchPage::Busy() const { return work_ && work_->task; }

void SearchPage::BeginBackgroundWork(bool cancellable)
{
    Work& work = *work_;
    work.enabledBefore.clear();
    for (QWidget* control : std::initializer_list<QWidget*>{
             Grid1_Youhuaxuanxiang, Grid2_Youhuajieguo, Grid3_Youhuasaixuan, cbt_zhangkai, cbt_YHcompute,
             cbt_YHsaixuan, cbt_YHsave, cbt_YHfanhui, cbt_YHtubiao, cbb_YHhengzhou, Chart_Youhuajieguo}) {
        work.enabledBefore.emplace_back(control, control->isEnabled());
        control->setEnabled(false);
    }
    if (cancellable) {
        cbt_YHcompute->setText(QString::fromUtf8(kCancelSearchText));
        cbt_YHcompute->setEnabled(true);
    }
    work.progressMinimum = pb_YH_jingdu->minimum();
    work.progressMaximum = pb_YH_jingdu->maximum();
    work.progressValue = pb_YH_jingdu->value();
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

void SearchPage::EndBackgroundWork()
{
    Work& work = *work_;
    if (work.task) {
        work.task->wait();
        work.task.release()->deleteLater();
    }
    for (const auto& [control, enabled] : work.enabledBefore) control->setEnabled(enabled);
    work.enabledBefore.clear();
    cbt_YHcompute->setText(kCompute);
    pb_YH_jingdu->hide();
    pb_YH_jingdu->setRange(work.progressMinimum, work.progressMaximum);
    pb_YH_jingdu->setValue(work.progressValue);
}

// ---------------------------------------------------------------- the search

void SearchPage::cbt_YHcomputeClick()
{
    if (Busy()) {
        // "取消": the search ends at its next candidate and the page stays as it was.
        if (work_->task->stopRequested()) return;
        cbt_YHcompute->setEnabled(false);
        work_->task->requestStop();
        return;
    }

    SearchItemTexts texts;
    for (int row = 0; row < itemrow::SearchRows; ++row)
        texts[static_cast<size_t>(row)] = {S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Name)),
                                           S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Min)),
                                           S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Max)),
                                           S(CellText(Grid1_Youhuaxuanxiang, row, itemcol::Step))};
    const SearchItemsOutcome read = ReadSearchItems(texts);

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
    const PileInput page = host_.CurrentInput();
    const int precisionMode = host_.PrecisionMode();
    const std::uint64_t count = CandidateCount(read.items);

    if (count <= kSearchInWorkerAbove || count > kMaxCandidates) {
        // Small enough to run within the click (or refused at once for its size).
        result->outcome = RunDesignSearch(read.items, page, precisionMode);
        ShowSearchResult(*result);
        return;
    }

    // A wide search runs in the worker; the page changes only when it has ended, so a
    // cancelled search leaves everything as it was.
    const SearchItems items = read.items;
    work_->task = std::make_unique<BackgroundTask>(
        [result, items, page, precisionMode](std::stop_token stop, const BackgroundTask::Progress& progress) {
            SearchControl control;
            control.stop = stop;
            control.progress = progress;
            control.progressInterval = kProgressInterval;
            result->outcome = RunDesignSearch(items, page, precisionMode, control);
        });
    connect(work_->task.get(), &BackgroundTask::progress, this, [this](quint64 done, quint64 total) {
        if (total > 0) pb_YH_jingdu->setValue(int(done * 100 / total));
    });
    connect(work_->task.get(), &BackgroundTask::finished, this, [this, result] {
        // A search that ended by itself after "取消" was pressed counts as cancelled.
        const bool cancelPressed = work_->task->stopRequested();
        EndBackgroundWork();
        if (!cancelPressed && result->outcome.end != SearchEnd::Cancelled) {
            ShowSearchResult(*result);
            return;
        }
        // The lists stay as they were; the information line says what became of the
        // search.
        const SearchOutcome& outcome = result->outcome;
        ShowInformation(lb_YHxingxi,
                        QStringLiteral("计算已取消，已算桩数：%1 根（共 %2 根）")
                            .arg(Q(FormatGeneral(double(outcome.candidates.size()))), Q(FormatGeneral(double(outcome.total)))),
                        colour::Black);
    });
    BeginBackgroundWork(true);
    work_->task->start();
}

void SearchPage::ShowSearchResult(SearchResult& result)
{
    SearchOutcome& outcome = result.outcome;
    CandidateModel* all = allCandidates_;
    CandidateModel* filtered = filteredCandidates_;

    // Both grids emptied, the full list on view, the information line emptied, the
    // search page in use.
    all->clear();
    filtered->clear();
    Grid2_Youhuajieguo->show();
    Grid3_Youhuasaixuan->hide();
    lb_YHxingxi->clear();
    RefreshChart();
    emit listShown();

    if (result.refusal || outcome.end == SearchEnd::TooManyCandidates) {
        // Nothing was enumerated: a failed test of the item table, or a search too
        // wide to hold.
        ShowInformation(lb_YHxingxi, Q(result.refusal ? *result.refusal : outcome.message), colour::Red);
        return;
    }

    // The input page as a search leaves it, and the last candidate (or the one that
    // failed) in its controls, computed as "计算" computes it but without a report
    // entry.
    host_.PrepareInputForSearch();
    pb_YH_jingdu->setRange(0, 100);
    pb_YH_jingdu->setValue(0);
    pb_YH_jingdu->hide();
    if (outcome.lastInput) {
        const PileInput& input = *outcome.lastInput;
        const RockLayer& layer = input.layers.front();
        SearchCandidate candidate;
        candidate.sectionItem = input.sectionType == SectionType::Circular  ? 0
                                : input.sectionType == SectionType::Ellipse ? 1
                                                                            : 2;
        candidate.first = Q(input.d);
        candidate.second = Q(input.c);
        candidate.basisItem = input.interpolationBasis == InterpolationBasis::IntegrityIndex ? 1 : 0;
        candidate.lr = Q(layer.lr);
        candidate.frk = Q(layer.frk);
        // Both cells as the search left them: the one of the last candidate's basis,
        // and the other as an earlier candidate (or the page) had it.
        candidate.integrityClass = Q(layer.integrityText);
        candidate.kv = Q(layer.kv);
        host_.PutCandidate(candidate);
        if (!host_.RunComputation()) ShowRunAborted();
    }

    auto list = std::make_shared<const CandidateList>(std::move(outcome.candidates));
    all->setRows(list, SearchOrder(*list));
    filtered->setRows(list, {});
    FitNumberColumns(list->size());
    RefreshChart();
    ShowInformation(lb_YHxingxi, Q(outcome.message), QColor::fromRgba(outcome.messageColour));

    if (outcome.end != SearchEnd::Completed) return;  // stopped at a diagnostic
    cbt_YHcompute->setEnabled(false);
    cbt_YHsaixuan->setEnabled(true);
    cbt_YHsave->setEnabled(true);
    dSortState_ = 0;
    raSortState_ = 0;
    const QString raHeader = Q(RaHeaderText(SortStates{}));
    all->setHeaderText(candcol::Ra, raHeader);
    filtered->setHeaderText(candcol::Ra, raHeader);
}

void SearchPage::ShowRunAborted()
{
    ShowInformation(lb_YHxingxi, Q(std::string(kRunAbortedText)), colour::Red);
}

// ---------------------------------------------------------------- sorting

void SearchPage::Grid2_YouhuajieguoHeaderClick(int column) { ResultHeaderClick(Grid2_Youhuajieguo, column); }

void SearchPage::Grid3_YouhuasaixuanHeaderClick(int column) { ResultHeaderClick(Grid3_Youhuasaixuan, column); }

void SearchPage::ResultHeaderClick(QTableView* grid, int column)
{
    if (Busy()) return;
    CandidateModel* model = ModelOf(grid);

    // Applies the outcome of a click once the rows are in their new order.
    const auto show = [this, grid, model, column](const SortStates& states, const HeaderClickOutcome& click) {
        if (click.sorted) {
            dSortState_ = states.dSortState;
            raSortState_ = states.raSortState;
            model->orderChanged();
            RefreshChart();
        }
        if (click.dHeader) model->setHeaderText(candcol::Size1, Q(*click.dHeader));
        if (click.raHeader) model->setHeaderText(candcol::Ra, Q(*click.raHeader));
        // The clicked column's cell of the first row becomes current, which selects
        // that row and brings it into view; the columns stay where the user had them,
        // so the pile numbers do not scroll away.
        if (click.selectFirstRow && model->size() > 0) {
            QScrollBar* across = grid->horizontalScrollBar();
            const int position = across->value();
            grid->setCurrentIndex(model->index(0, column));
            across->setValue(position);
        }
        if (click.enableSave) cbt_YHsave->setEnabled(true);
        ShowInformation(lb_YHxingxi, Q(click.message), colour::Black);
    };

    SortStates states{dSortState_, raSortState_};
    const bool fullSort = (column == candcol::Size1 && states.dSortState == 0) ||
                          (column == candcol::Ra && states.raSortState == 0);
    if (!fullSort || model->size() <= kSortInWorkerAbove) {
        const HeaderClickOutcome click = ClickResultHeader(states, column, model->order(), ListOf(model));
        show(states, click);
        return;
    }

    // The sort of a very long list runs in the worker on a copy of the order, which
    // replaces the grid's order when it is done.
    struct Sort {
        SortStates states;
        std::vector<std::uint32_t> order;
        std::shared_ptr<const CandidateList> list;
        HeaderClickOutcome click;
    };
    auto sort = std::make_shared<Sort>(Sort{states, model->order(), model->list(), {}});
    work_->task = std::make_unique<BackgroundTask>([sort, column](std::stop_token, const BackgroundTask::Progress&) {
        sort->click = ClickResultHeader(sort->states, column, sort->order, *sort->list);
    });
    connect(work_->task.get(), &BackgroundTask::finished, this, [this, model, sort, show] {
        EndBackgroundWork();
        if (sort->list != model->list()) return;  // the rows were replaced meanwhile
        model->order() = std::move(sort->order);
        show(sort->states, sort->click);
    });
    BeginBackgroundWork(false);
    work_->task->start();
}

// ---------------------------------------------------------------- filtering

void SearchPage::cbt_YHsaixuanClick()
{
    if (Busy()) return;
    const ItemRowTexts window{S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Name)),
                              S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Min)),
                              S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Max)),
                              S(CellText(Grid1_Youhuaxuanxiang, itemrow::Filter, itemcol::Step))};
    const FilterWindowOutcome read = ReadFilterWindow(window);
    if (!read.ok()) {
        // A bound that is not a number changes nothing but the information line.
        ShowInformation(lb_YHxingxi, Q(read.error->message), colour::Red);
        return;
    }

    CandidateModel* all = allCandidates_;
    CandidateModel* filtered = filteredCandidates_;
    filtered->clear();
    Grid3_Youhuasaixuan->show();
    Grid2_Youhuajieguo->hide();
    lb_YHxingxi->clear();

    // Always from the full list, in its current order.
    FilterOutcome kept = FilterCandidates(ListOf(all), all->order(), read.window);
    const bool any = !kept.rows.empty();
    filtered->setRows(all->list(), std::move(kept.rows));
    RefreshChart();
    ShowInformation(lb_YHxingxi, Q(kept.message), colour::Black);
    if (any) emit listShown();
    cbt_YHsaixuan->setEnabled(false);
    cbt_YHsave->setEnabled(kept.enableSave);
    dSortState_ = 0;
    raSortState_ = 0;
    filtered->setHeaderText(candcol::Ra, Q(RaHeaderText(SortStates{})));
}

// ---------------------------------------------------------------- taking a candidate back

void SearchPage::Grid2_YouhuajieguoCellDblClick(int row, int /*column*/) { TakeBackCandidate(Grid2_Youhuajieguo, row); }

void SearchPage::Grid3_YouhuasaixuanCellDblClick(int row, int /*column*/) { TakeBackCandidate(Grid3_Youhuasaixuan, row); }

void SearchPage::TakeBackCandidate(QTableView* grid, int row)
{
    if (Busy()) return;
    const CandidateModel* model = ModelOf(grid);
    if (row < 0 || row >= model->rowCount()) return;
    const CandidateTexts cells = model->rowTexts(row);
    const auto cell = [&cells](int column) { return Q(cells[static_cast<size_t>(column)]); };

    // A square goes back as a rectangle with two equal sides; a circle has no second size.
    SearchCandidate candidate;
    const QString section = cell(candcol::Section);
    const auto named = [&section](SectionType type) {
        return section == Q(std::string(SectionName(type, SectionNameStyle::Column)));
    };
    const bool circle = named(SectionType::Circular);
    candidate.sectionItem = circle ? 0 : named(SectionType::Ellipse) ? 1 : 2;
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
    host_.PutCandidate(candidate);

    // The input page with the candidate ready for "计算", which then enters the reports.
    emit candidateTaken();
}

// ---------------------------------------------------------------- saving

const CandidateModel* SearchPage::VisibleList(ResultFileKind& kind, QString& fileName) const
{
    if (!Grid2_Youhuajieguo->isHidden() && allCandidates_->size() > 0) {
        kind = ResultFileKind::AllCandidates;
        fileName = SearchResultFileName();
        return allCandidates_;
    }
    if (!Grid3_Youhuasaixuan->isHidden() && filteredCandidates_->size() > 0) {
        kind = ResultFileKind::Filtered;
        fileName = FilteredResultFileName();
        return filteredCandidates_;
    }
    return nullptr;
}

bool SearchPage::HasVisibleList() const
{
    ResultFileKind kind;
    QString fileName;
    return VisibleList(kind, fileName) != nullptr;
}

void SearchPage::SaveVisibleList(const QString& folder)
{
    ResultFileKind kind = ResultFileKind::AllCandidates;
    QString fileName;
    const CandidateModel* model = VisibleList(kind, fileName);
    if (!model || Busy()) return;

    ListSaveJob job;
    job.list = model->list();
    // The grids and the buttons that could change the order stay disabled while a
    // background save runs, and the page waits for it before the models go.
    job.order = &model->order();
    job.kind = kind;
    job.path = ResultFilePath(folder, fileName);
    job.timeStamp = [this] { return TimeStamp(host_.Now(), QLocale()); };
    const auto failed = [this, path = job.path](const QString& error) {
        emit saveFailed(error.isEmpty() ? SaveFailureMessage(path, SaveFailure::OutOfMemory, {}) : error);
    };

    if (job.order->size() <= kSaveListInWorkerAbove) {
        const ListSaveOutcome outcome = SaveCandidateList(job);
        if (outcome.written) {
            if (SaveChartBeside(job.path)) ShowSaved(job.path);
        } else {
            failed(outcome.error);
        }
        return;
    }

    // The host's clock belongs to the window's thread: a long save is stamped with the
    // moment it began.
    job.timeStamp = [stamp = TimeStamp(host_.Now(), QLocale())] { return stamp; };
    auto outcome = std::make_shared<ListSaveOutcome>();
    // The chart's points of a long list are gathered beside the save, so that drawing
    // the PNG afterwards does not hold up the window.
    auto cloud = std::make_shared<std::optional<CandidateCloud>>();
    try {
        work_->task = std::make_unique<BackgroundTask>(
            [job, outcome, cloud, axis = Chart_Youhuajieguo->axis()](std::stop_token stop,
                                                                      const BackgroundTask::Progress& progress) {
                *outcome = SaveCandidateList(job, stop, progress);
                if (outcome->written) *cloud = BuildCloud(*job.list, *job.order, axis, true);
            });
        connect(work_->task.get(), &BackgroundTask::progress, this, [this](quint64 done, quint64 total) {
            if (total > 0) pb_YH_jingdu->setValue(int(done * 100 / total));
        });
        connect(work_->task.get(), &BackgroundTask::finished, this, [this, outcome, failed, cloud, path = job.path] {
            EndBackgroundWork();
            // "取消" leaves the earlier file and "存盘" as they were, without a message.
            if (outcome->written) {
                if (SaveChartBeside(path, std::move(*cloud))) ShowSaved(path);
            } else if (!outcome->cancelled) {
                failed(outcome->error);
            }
        });
        BeginBackgroundWork(true);
        work_->task->start();
    } catch (const std::exception&) {
        // No thread or no memory for one: the save has not begun.
        if (work_->task) EndBackgroundWork();
        failed(QString());
    }
}

void SearchPage::ShowSaved(const QString& path)
{
    // "存盘" waits for a new list; the information line says where this one went.
    cbt_YHsave->setEnabled(false);
    savedFolder_ = QFileInfo(path).absolutePath();
    const QString text = QStringLiteral("已保存：%1").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    SetTextColour(lb_YHxingxi, colour::Black);
    lb_YHxingxi->setTextFormat(Qt::RichText);
    lb_YHxingxi->setToolTip(text);
    lb_YHxingxi->setText(SavedPathLine(lb_YHxingxi, text, true));
}

}  // namespace rockpile
