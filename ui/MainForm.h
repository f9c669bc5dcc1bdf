#pragma once
// The one window of the calculator: four pages laid over each other (input, results,
// design search and a spare page), every control of them, the module state that the
// pages share, and the handlers of all user actions.
//
// The handlers are split over several files by subject:
//   MainForm.cpp    creation, layout, page moves that belong to no page, closing
//   InputPage.cpp   the section, rock and layer table controls of the input page
//   ComputeRun.cpp  the compute run and the precision controls
//   MainFormSaving.cpp  the storage permission and saving, the moves to the results
//                   page, the dialogs the results page asks for, the About popup
// The design search page and the results page are classes of their own (SearchPage,
// ResultsPage), which ask the window for what they need through SearchPageHost and
// ResultsPageHost.
// Handlers take no arguments unless they are grid events; grid events carry
// (row, column) or the column of a header, in that order.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/PileInput.h"
#include "io/PageInputs.h"
#include "report/Reports.h"
#include "ui/Permissions.h"
#include "ui/ResultsPage.h"
#include "ui/SearchPage.h"
#include "files/TimeStamp.h"

class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
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

class MainForm : public QWidget, private rockpile::SearchPageHost, private rockpile::ResultsPageHost {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Design size of the client area.
    static constexpr int kClientWidth = 370;
    static constexpr int kClientHeight = 800;

    // Module state shared by the pages; 0 when the window is created. The reports,
    // ReportCount and UnsavedReports belong to the results page.
    // Which page "保存"/"存盘" and the compute run serve: 0 the input and results
    // pages, 1 the design search page.
    int SaveTarget = 0;
    // The clock whose time closes the reports and the search files; tests replace it.
    rockpile::Clock reportClock = rockpile::SystemClock();

    // Empties the three result fields and brings back "计算" in place of "结果".
    void ClearResultDisplay();
    // Shows `text` in the status line in `colour`; the banner picture gives way to the
    // status line for good.
    void ShowStatusMessage(const QString& text, const QColor& colour);

    // Opens the window at the largest client area of the design's proportions, at most
    // the design size, whose frame fits the available area of its screen (less task bars
    // and docks), centred there; the pages scale with it. FitInto does the same for a
    // given available area.
    void FitToScreen();
    void FitInto(const QRect& available);

    // The design search page and the results page.
    rockpile::SearchPage* searchPage() const { return YouHuaFormLayer; }
    rockpile::ResultsPage* resultsPage() const { return JieGuo_DocLayer; }

signals:
    // The compute run stopped at a check; the input page shows where and why.
    void runAborted();

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

    // Moves to and from the results page, saving and the About button
    // (MainFormSaving.cpp).
    void cbt_ViewClick();
    void cbt_ExitClick();
    void cbt_SaveClick();
    void cbt_YHsaveClick();
    void cbt_CopyRightClick();

    // Moves to and from the design search page (MainForm.cpp).
    void cbt_YouHuaClick();
    void ShowInputPageFromSearch();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // FormClose

private:
    // Creation (MainForm.cpp).
    void FormCreate();
    void CreateInputPage();
    void ConnectHandlers();
    void FillFirstLayerRow();

    // --- keyboard use of the input page (InputPage.cpp): tab order in reading order,
    // the shortcuts of "计算".
    void SetUpInputPageKeys();

    // --- input page (InputPage.cpp)
    void ApplyCoefficientColumns();
    bool LayerTableExpanded() const;
    // Whether the layer table shows its optional columns ("折叠" on its button).
    bool layerTableExpanded_ = false;

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
    void SetLayerCell(int row, int column, const QString& text);

    // --- saving, About (MainFormSaving.cpp)
public:
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
    // Shows a folder in the system's file manager; empty means QDesktopServices.
    std::function<void(const QString&)> openFolder;

private:
    void ShowMessage(const QString& text, const std::function<void()>& onClosed = {});
    // The About window, created on first use; it has no owner and lives as long as the
    // main window.
    std::unique_ptr<QWidget> CopyRightForm;

    // --- what the design search page asks of the window (InputPage.cpp)
    rockpile::PileInput CurrentInput() const override { return ReadPileInput(); }
    int PrecisionMode() const override;
    void PrepareInputForSearch() override;
    void PutCandidate(const rockpile::SearchCandidate& candidate) override;
    bool RunComputation() override { return RunCompute(); }
    QDateTime Now() const override { return reportClock(); }

    // --- what the results page asks of the window (MainFormSaving.cpp)
    QString DocumentsFolder() const override;
    void OpenFolder(const QString& folder) override;
    void ChoosePdfPath(const QString& suggested,
                       const std::function<void(const QString&)>& chosen) override;
    void ChoosePrinter(QPrinter& printer, const std::function<void()>& accepted) override;

    // --- input files of the input page (InputFiles.cpp)
public:
    // The inputs the page holds, with the pile number of the file they came from.
    rockpile::PageInputs ReadPageInputs() const;
    // Puts `inputs` on the page through the controls' change handlers: the page then
    // holds exactly those inputs, every computed cell and result field emptied.
    void ApplyPageInputs(const rockpile::PageInputs& inputs);
    // Opens the input file at `path` (also a dropped file, or one named on the command
    // line). A bad file gets a message naming it and what is wrong; the page stays.
    bool OpenInputFile(const QString& path);
    // Saves the page's inputs at `path` (".json" added when it has no suffix); an
    // existing file is replaced only once the new one is complete.
    bool SaveInputFile(const QString& path);
    // "打开" (Ctrl+O) and "保存" (Ctrl+Shift+S): ask for a file, then open or save it.
    void cbt_DaKaiClick();
    void cbt_BaoCunClick();
    // The file dialogs of the two buttons: given the suggested path (in the documents
    // folder, or the last file opened or saved), they return the chosen path or an
    // empty text. Empty means the platform's dialogs; tests put their own.
    std::function<QString(const QString&)> openInputDialog;
    std::function<QString(const QString&)> saveInputDialog;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SetUpInputFiles();
    QString SuggestedInputPath() const;
    std::string pileNumber_;   // not shown on the page; kept from file to file
    QString inputFilePath_;    // the file last opened or saved
    rockpile::RoundButton* cbt_DaKai = nullptr;
    rockpile::RoundButton* cbt_BaoCun = nullptr;

    // Pages.
    rockpile::ScaledPage* MainFormLayer = nullptr;
    rockpile::ResultsPage* JieGuo_DocLayer = nullptr;
    rockpile::SearchPage* YouHuaFormLayer = nullptr;
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

};
