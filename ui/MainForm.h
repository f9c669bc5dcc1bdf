#pragma once
// The one window of the calculator: four pages laid over each other (input, results,
// design search and a spare page), every control of them, the module state that the
// pages share, and the handlers of all user actions.
//
// The handlers are split over several files by subject:
//   MainForm.cpp    creation, layout, page moves that belong to no page, closing
//   InputPage.cpp   the section, rock and layer table controls of the input page
//   ComputeRun.cpp  the compute run and the precision controls
//   ResultsPage.cpp the results page, saving, deleting the last entry, About popup
//   SearchPage.cpp  the design search page
// Handlers take no arguments unless they are grid events; grid events carry
// (row, column) or the column of a header, in that order.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/PileInput.h"
#include "report/Reports.h"
#include "report/TimeStamp.h"
#include "ui/Permissions.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QSlider;
class QTableView;
class QTableWidget;

namespace rockpile {
class EditCombo;
class RoundButton;
class ScaledPage;
}  // namespace rockpile

class MainForm : public QWidget {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Design size of the client area.
    static constexpr int kClientWidth = 370;
    static constexpr int kClientHeight = 800;

    // Module state shared by the pages; all 0 when the window is created.
    // ReportCount is reports.reportCount().
    rockpile::ReportModel reports;
    int UnsavedReports = 0;
    int SaveTarget = 0;
    int DSortState = 0;
    int RaSortState = 0;
    // The clock whose time closes the reports and the search files; tests replace it.
    rockpile::Clock reportClock = rockpile::SystemClock();

    // Empties the three result fields and brings back "计算" in place of "结果".
    void ClearResultDisplay();
    // Shows `text` in the status line in `colour`; the banner picture gives way to the
    // status line for good.
    void ShowStatusMessage(const QString& text, const QColor& colour);

    // Centres the window on its screen.
    void CentreOnScreen();

public slots:
    // "退出": closes the window, which ends the program.
    void cbt_tuichuClick();

    // Handlers of the input page (InputPage.cpp).
    void cbb_jmlxChange();
    void cbe_ddChange();
    void cbe_tyzdChange();
    void cbb_yanchengshuChange();
    void cbb_qiangduzhiChange();
    void cbb_chezhuxishuChange();
    void cbb_wanzhengchengduChange();
    void cbt_kuozhanbiaogeClick();
    void ckb_dixiashuiChange();
    void ckb_ruanzhiyanChange();
    void cbe_zhuanchongkongChange();
    void StringGrid_QB2SelectCell(int row, int column);
    void StringGrid_QB2EditingDone();

    // Handlers of the compute run and the precision controls (ComputeRun.cpp).
    void cbt_computeClick();
    void popbox_jingduChange();
    void cbt_JingDuClick();

    // Handlers of the results page, saving and the About button (ResultsPage.cpp).
    void cbt_ViewClick();
    void cbt_ExitClick();
    void cbt_SaveClick();
    void cbt_YHsaveClick();
    void cbt_PageBookClick();
    void cbt_sanchuClick();
    void tcb_meoFontSizeChange();
    void cbt_CopyRightClick();

    // Handlers of the design search page (SearchPage.cpp).
    void cbt_YouHuaClick();
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // FormClose

private:
    // Creation (MainForm.cpp).
    void FormCreate();
    void CreateInputPage();
    void CreateResultsPage();
    void CreateSearchPage();
    void ConnectHandlers();
    void FillFirstLayerRow();

    // --- input page (InputPage.cpp)
    void ApplyCoefficientColumns();
    bool LayerTableExpanded() const;

    // --- compute run (ComputeRun.cpp)
public:
    // The compute run behind "计算": reads the input page, calculates, and writes the
    // corrections, the computed columns and the result fields back. With SaveTarget 0 a
    // completed run also enters both reports and swaps "计算" for "结果". Returns false
    // when a check stopped the calculation (or the report step could not take it); the
    // input page then shows where and why.
    bool RunCompute();

private:
    rockpile::PileInput ReadPileInput() const;
    // What the reports read of the input page after a completed run.
    rockpile::ReportSnapshot ReadReportSnapshot() const;
    void ApplyStatusEvents(const std::vector<rockpile::StatusEvent>& events);
    void ApplyCorrections(const std::vector<rockpile::Correction>& corrections);
    void SetLayerCell(int row, int column, const QString& text);

    // --- results page, saving, About (ResultsPage.cpp)
public:
    // Shows the lines of both reports in their views, each scrolled to the top. The
    // compute run calls it after every report step.
    void RefreshReportViews();
    // The result callback of the storage permission request: writes the report shown on
    // the results page, or the visible list of the design search page.
    void SaveResults(const QStringList& permissions,
                     const std::vector<rockpile::PermissionStatus>& grantResults);
    // The rationale callback of the storage permission request; closing the message
    // box resumes the request.
    void ShowStorageRationale(const QStringList& permissions, const std::function<void()>& resume);

    // The platform's name of the permission to write to storage: none on a desktop.
    QString FPermissionWriteExternalStorage;
    // The permission service; empty means the desktop service, which grants at once.
    std::shared_ptr<rockpile::PermissionService> permissionService;
    // The folder the result files go to; empty means the user's documents folder.
    std::function<QString()> documentsPath;

private:
    void SetReportFontSize(QWidget* view, int size);
    // Writes `lines` to `fileName` in the documents folder; on failure tells the user
    // why and returns false.
    bool SaveLines(const std::vector<std::string>& lines, const QString& fileName,
                   bool lineEndAfterLast);
    void ShowMessage(const QString& text, const std::function<void()>& onClosed = {});
    // The About window, created on first use; it has no owner and lives as long as the
    // main window.
    std::unique_ptr<QWidget> CopyRightForm;

    // --- design search page (SearchPage.cpp)
    // Fills the search item table and the headers of the search result grids.
    void FillSearchPage();
    // Saves the result list that the search page shows (all candidates or the filtered
    // ones) to its file, a long list in the background (ListSaveTask.cpp); nothing when
    // neither grid is visible with rows. "存盘" is disabled once the file is written.
    void SaveVisibleList();

    // What the search page keeps beside its controls: the models of the two result
    // grids and the long work (a wide search or the sort of a very long list) running
    // in a worker thread, if any. Destroying it stops and waits for that work.
    struct SearchPageState;
    std::shared_ptr<SearchPageState> searchPage;
    // The inputs of one candidate, as the search and the take-back put them on the
    // input page.
    struct CandidateOnPage;
    // Sets the input controls and layer row 0 to a candidate as the user would, so
    // that every change handler runs where a value changes.
    void PutCandidateOnPage(const CandidateOnPage& candidate);
    struct SearchResult;
    // Shows the outcome of a search that was not cancelled: the result grids, the
    // information line, the buttons, and the input page holding the last candidate.
    void ShowSearchResult(SearchResult& result);
    // Header click and double click on one of the result grids.
    void ResultHeaderClick(QTableView* grid, int column);
    void TakeBackCandidate(QTableView* grid, int row);
    // Column widths and row heights of the grids at the page's scale.
    void LayOutSearchGrids();
    // While work runs in the background the page takes no other action; `cancellable`
    // turns "计算" into the cancel button of a search.
    bool SearchPageBusy() const;
    void BeginBackgroundWork(bool cancellable);
    void EndBackgroundWork();

    // Pages.
    rockpile::ScaledPage* MainFormLayer = nullptr;
    rockpile::ScaledPage* JieGuo_DocLayer = nullptr;
    rockpile::ScaledPage* YouHuaFormLayer = nullptr;
    rockpile::ScaledPage* ComFormLayer = nullptr;

    // Input page.
    QLabel* lb_cxm = nullptr;
    rockpile::RoundButton* cbt_CopyRight = nullptr;
    QGroupBox* gpb_srcs = nullptr;
    QGroupBox* gpb_yscs = nullptr;
    QGroupBox* gpb_scjg = nullptr;
    rockpile::RoundButton* cbt_compute = nullptr;
    rockpile::RoundButton* cbt_View = nullptr;
    rockpile::RoundButton* cbt_YouHua = nullptr;
    rockpile::RoundButton* cbt_tuichu = nullptr;
    QLabel* img_logo = nullptr;
    QLabel* lb_shuoming = nullptr;
    // Group "基桩参数".
    QLabel* lb_jmlx = nullptr;
    QComboBox* cbb_jmlx = nullptr;
    QLabel* lb_dd = nullptr;
    rockpile::EditCombo* cbe_dd = nullptr;
    QLabel* lb_tyzd = nullptr;
    rockpile::EditCombo* cbe_tyzd = nullptr;
    // Group "基岩参数".
    QLabel* lb_yanchengshu = nullptr;
    QComboBox* cbb_yanchengshu = nullptr;
    QLabel* lb_qiangduquzhi = nullptr;
    QComboBox* cbb_qiangduzhi = nullptr;
    QLabel* lb_chezhuxishu = nullptr;
    QComboBox* cbb_chezhuxishu = nullptr;
    QLabel* lb_wanzhengchengdu = nullptr;
    QComboBox* cbb_wanzhengchengdu = nullptr;
    QCheckBox* ckb_dixiashui = nullptr;
    QLabel* lb_zhuanchongkong = nullptr;
    rockpile::EditCombo* cbe_zhuanchongkong = nullptr;
    rockpile::RoundButton* cbt_kuozhanbiaoge = nullptr;
    QCheckBox* ckb_ruanzhiyan = nullptr;
    QTableWidget* StringGrid_QB2 = nullptr;
    // Group "计算结果".
    QLabel* lb_kesair = nullptr;
    QLineEdit* edt_Quk = nullptr;
    QLabel* lb_ra = nullptr;
    QLineEdit* edt_ra = nullptr;
    QLabel* lb_rc = nullptr;
    QLineEdit* edt_percent = nullptr;
    QLabel* lb_guifan1 = nullptr;
    QLabel* lb_guifan2 = nullptr;
    rockpile::RoundButton* cbt_JingDu = nullptr;
    QComboBox* popbox_jingdu = nullptr;

    // Results page.
    QLabel* lb_jisuanjieguo = nullptr;
    rockpile::RoundButton* cbt_PageBook = nullptr;
    QPlainTextEdit* meo_jisuanjieguo_Doc = nullptr;
    QPlainTextEdit* meo_jisuanjieguo_Xls = nullptr;
    rockpile::RoundButton* cbt_Exit = nullptr;
    rockpile::RoundButton* cbt_Save = nullptr;
    rockpile::RoundButton* cbt_sanchu = nullptr;
    QSlider* tcb_meoFontSize = nullptr;

    // Design search page.
    QLabel* lb_youhuabiaoti = nullptr;
    QTableWidget* Grid1_Youhuaxuanxiang = nullptr;
    QTableView* Grid2_Youhuajieguo = nullptr;
    QTableView* Grid3_Youhuasaixuan = nullptr;
    QProgressBar* pb_YH_jingdu = nullptr;
    QLabel* lb_huzhu = nullptr;
    rockpile::RoundButton* cbt_zhangkai = nullptr;
    rockpile::RoundButton* cbt_YHcompute = nullptr;
    rockpile::RoundButton* cbt_YHsaixuan = nullptr;
    rockpile::RoundButton* cbt_YHsave = nullptr;
    rockpile::RoundButton* cbt_YHfanhui = nullptr;
    QLabel* lb_YHxingxi = nullptr;
};
