#pragma once
// The design search page (YouHuaFormLayer): the item table, the search, sorting,
// filtering, taking a candidate back, and the list that "存盘" writes.
//
// The page owns its controls, the models of both result grids, the work running in the
// background and the sort states. What it needs of the window it asks of a
// SearchPageHost; what the window must do it signals.
//
// A search or a sort that could hold up the window for more than about half a second
// runs in a worker thread: the page shows its progress in pb_YH_jingdu and takes no
// other action meanwhile, and a search can be cancelled with the button that reads
// "取消" while it runs. Smaller work runs within the click.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDateTime>
#include <QString>

#include "core/PileInput.h"
#include "search/CandidateCloud.h"
#include "search/ResultFiles.h"
#include "ui/ScaledPage.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QTableView;
class QTableWidget;

namespace rockpile {

class CandidateChart;
class CandidateModel;
class RoundButton;

// Searches of more candidates than this run in the worker: about 0.08 s of work in an
// optimised build and half a second in a debugging one.
inline constexpr std::uint64_t kSearchInWorkerAbove = 50'000;

// A first click on the d|a or the Ra header sorts a list of more rows than this in the
// worker (0.15 s optimised, 0.3 s debugging); the further clicks only reverse the rows
// and always run within the click.
inline constexpr std::size_t kSortInWorkerAbove = 500'000;

// The text of "计算" on the search page while a search runs in the worker.
inline constexpr const char* kCancelSearchText = "取消";

// The inputs of one candidate, as the search and the take-back put them on the input
// page. Cells left empty here keep what the input page has.
struct SearchCandidate {
    int sectionItem = 0;  // item of cbb_jmlx: 0 circle, 1 ellipse, 2 rectangle
    QString first;        // cbe_dd: d or a
    QString second;       // cbe_tyzd: c or b, "0" for a circle
    int basisItem = 0;    // item of cbb_wanzhengchengdu
    QString lr;           // layer row 0: depth
    QString frk;
    std::optional<QString> weathering;
    std::optional<QString> integrityClass;
    std::optional<QString> kv;
};

// What the search page asks of the window it sits in.
class SearchPageHost {
public:
    virtual ~SearchPageHost() = default;
    // The input page as it stands: the options every candidate keeps.
    virtual PileInput CurrentInput() const = 0;
    // The item of the precision popup, which the Ra texts of the candidates follow.
    virtual int PrecisionMode() const = 0;
    // Sets the input page as a search leaves it: the status line in place of the
    // banner, one layer, frk given and automatic coefficients.
    virtual void PrepareInputForSearch() = 0;
    // Sets the input controls and layer row 0 to a candidate as the user would, so
    // that every change handler runs where a value changes.
    virtual void PutCandidate(const SearchCandidate& candidate) = 0;
    // Runs the computation of the input page as "计算" does; false when it stopped.
    virtual bool RunComputation() = 0;
    // The time that closes a saved list.
    virtual QDateTime Now() const = 0;
};

class SearchPage : public ScaledPage {
    Q_OBJECT
public:
    SearchPage(SearchPageHost& host, QWidget* parent);
    ~SearchPage() override;

    // Sort states of the result grids: 0 unsorted, 1 ascending, 2 descending.
    int DSortState() const { return dSortState_; }
    int RaSortState() const { return raSortState_; }
    // True while work runs in the worker thread.
    bool Busy() const;

    // Whether a result list with rows is on view (all candidates or the filtered ones).
    bool HasVisibleList() const;
    // Saves the list on view into `folder`, under its file name, row by row: a long
    // list in the background with progress and "取消" (ListSaveTask.h). Once the file
    // is written "存盘" waits for a new list; a failure emits saveFailed.
    void SaveVisibleList(const QString& folder);

public slots:
    // The computation the page asked for stopped at a check: the information line
    // says so.
    void ShowRunAborted();

    void cbt_YHfanhuiClick();
    void cbt_YHcomputeClick();
    void cbt_YHsaixuanClick();
    void cbt_zhangkaiClick();
    void Grid1_YouhuaxuanxiangSelectCell(int row, int column);
    void Grid1_YouhuaxuanxiangEditingDone(int row, int column);
    void Grid2_YouhuajieguoHeaderClick(int column);
    void Grid3_YouhuasaixuanHeaderClick(int column);
    void Grid2_YouhuajieguoCellDblClick(int row, int column);
    void Grid3_YouhuasaixuanCellDblClick(int row, int column);
    // The chart in place of the result grid, or the grid again; the horizontal axis of
    // the chart; a click and a double click on a point of the chart.
    void cbt_YHtubiaoClick();
    void cbb_YHhengzhouChange(int item);
    void Chart_YouhuajieguoPointClick(int position);
    void Chart_YouhuajieguoPointDblClick(int position);

signals:
    // "返回": the window shows the input page again.
    void backRequested();
    // A double click put a candidate on the input page, ready for "计算": the window
    // shows the input page with its result fields emptied.
    void candidateTaken();
    // A search result or a filtered list with rows is on view: "存盘" and the
    // computations now belong to this page.
    void listShown();
    // "存盘": the window asks for the permission to write and then calls
    // SaveVisibleList.
    void saveRequested();
    // A save failed or could not start; the earlier file and the list are as they were.
    void saveFailed(const QString& message);
    // "打开文件夹" after a save: the window shows `folder` in the file manager.
    void openFolderRequested(const QString& folder);

private:
    struct SearchResult;
    struct Work;
    void CreateControls();
    void FillControls();
    void ConnectHandlers();
    void LayOutGrids();
    void ShowSaved(const QString& path);
    // Widens the pile number columns where a list of `rows` candidates numbers its piles
    // with more digits than they show; widths the user set are otherwise kept.
    void FitNumberColumns(std::size_t rows);
    void ShowSearchResult(SearchResult& result);
    void ResultHeaderClick(QTableView* grid, int column);
    void TakeBackCandidate(QTableView* grid, int row);
    void BeginBackgroundWork(bool cancellable);
    void EndBackgroundWork();
    void ShowFoldColumns();
    CandidateModel* ModelOf(const QTableView* grid) const;
    const CandidateModel* VisibleList(ResultFileKind& kind, QString& fileName) const;

    SearchPageHost& host_;
    // Whether the explanations of the item table and every column of the result grids
    // show ("折叠" on the fold button) or not ("展开").
    bool expanded_ = false;
    QString savedFolder_;  // of the list saved last, for the information line's link
    int dSortState_ = 0;
    int raSortState_ = 0;
    std::unique_ptr<Work> work_;

    QLabel* lb_youhuabiaoti = nullptr;
    QTableWidget* Grid1_Youhuaxuanxiang = nullptr;
    QTableView* Grid2_Youhuajieguo = nullptr;
    QTableView* Grid3_Youhuasaixuan = nullptr;
    QProgressBar* pb_YH_jingdu = nullptr;
    QLabel* lb_huzhu = nullptr;
    RoundButton* cbt_zhangkai = nullptr;
    RoundButton* cbt_YHcompute = nullptr;
    RoundButton* cbt_YHsaixuan = nullptr;
    RoundButton* cbt_YHsave = nullptr;
    RoundButton* cbt_YHfanhui = nullptr;
    QLabel* lb_YHxingxi = nullptr;
    CandidateModel* allCandidates_ = nullptr;       // model of Grid2_Youhuajieguo
    CandidateModel* filteredCandidates_ = nullptr;  // model of Grid3_Youhuasaixuan

    // The chart of the result grid on view (CandidateChart.h), shown over the grids'
    // place when chosen. It follows the grid's rows whenever they change; while it is
    // not on view it only notes that it is behind and catches up when shown or saved.
    void CreateChart();
    QTableView* VisibleGrid() const;
    void RefreshChart();
    void ShowBand();
    // `cloud`: the chart's cloud of the list saved, when it was built beside the save.
    bool SaveChartBeside(const QString& listPath, std::optional<CandidateCloud> cloud = std::nullopt);
    CandidateChart* Chart_Youhuajieguo = nullptr;
    RoundButton* cbt_YHtubiao = nullptr;
    QComboBox* cbb_YHhengzhou = nullptr;
    bool chartShown_ = false;
    bool chartBehind_ = false;
};

}  // namespace rockpile
