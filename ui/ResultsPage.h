#pragma once
// The results page (JieGuo_DocLayer): the text report and the table report on the
// character grid, the sketch of the pile of an entry, the report switch, saving the
// shown report, printing it and exporting it to PDF, deleting the last entry and the
// font size of the reports.
//
// The page owns both reports, the sketch data of every entry, the unsaved state of the
// reports and its controls. What it needs of the window (the documents folder, the
// dialogs and the file manager) it asks of a ResultsPageHost; what the window must do
// it signals: back to the input page, and a save, which the window runs through the
// storage permission before calling SaveShownReport.

#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "book/Book.h"
#include "book/PileSketch.h"
#include "report/Reports.h"
#include "ui/ScaledPage.h"

class QLabel;
class QPrinter;
class QSlider;

namespace rockpile {

class PileSketchView;
class ReportGridView;
class RoundButton;

// What the results page asks of the window it sits in.
class ResultsPageHost {
public:
    virtual ~ResultsPageHost() = default;
    // The folder the reports and their PDF go to; empty when the platform cannot tell.
    virtual QString DocumentsFolder() const = 0;
    // Shows `folder` in the system's file manager.
    virtual void OpenFolder(const QString& folder) = 0;
    // Asks where to write a PDF, starting at `suggested`, without blocking: calls
    // `chosen` with the path the user accepted, or never when the user cancels.
    virtual void ChoosePdfPath(const QString& suggested,
                               const std::function<void(const QString&)>& chosen) = 0;
    // Lets the user set up `printer` in a print dialog, without blocking: calls
    // `accepted` when the user chose to print. `printer` lives until then.
    virtual void ChoosePrinter(QPrinter& printer, const std::function<void()>& accepted) = 0;
};

class ResultsPage : public ScaledPage {
    Q_OBJECT
public:
    // Which report the page shows; "保存", print and PDF act on it.
    enum class ShownReport { Text, Table };

    ResultsPage(ResultsPageHost& host, QWidget* parent);
    ~ResultsPage() override;

    // The report step of a completed calculation: both reports take it, its sketch is
    // kept beside them, the views show it and both reports count as unsaved. Returns
    // false (and changes nothing) when the reports refuse the entry.
    bool AppendCalculation(const ReportSnapshot& snapshot, const PileResult& result,
                           const std::string& timeStamp);

    const ReportModel& reports() const { return reports_; }
    // Bit 0: the text report changed since it was last saved; bit 1: the table report.
    int UnsavedReports() const { return unsavedReports_; }
    ShownReport shownReport() const { return shownReport_; }
    bool sketchShown() const { return sketchShown_; }
    // One sketch per entry, entry k at index k - 1.
    const std::vector<book::PileSketchData>& sketches() const { return sketches_; }
    // The text of the status line, which says where the last save or export went.
    QString statusText() const { return statusText_; }

    // Lays the text of both views out again at the size they have (on opening).
    void LayOutReportsAgain();

    // Writes the shown report to its file in the documents folder; on success the
    // report counts as saved and the status line names the file. Returns false, with
    // a message to the user, when it could not be written.
    bool SaveShownReport();

    // The book of the shown report, as printed and exported.
    book::Book ShownBook() const;
    // Where the PDF of the shown report goes unless the user chooses another path.
    QString DefaultPdfPath() const;
    // Writes the shown report to `path` as PDF and reports the result like a save.
    bool ExportShownReport(const QString& path);

public slots:
    void cbt_PageBookClick();
    void cbt_JianTuClick();
    void cbt_DaYinClick();
    void cbt_DaoChuClick();
    void cbt_sanchuClick();
    void tcb_meoFontSizeChange();

signals:
    // "返回": the window shows the input page.
    void backRequested();
    // "保存": the window asks for the permission to write, then calls SaveShownReport.
    void saveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void RefreshViews();
    void ShowCurrentView();
    void ShowSaved(const QString& verb, const QString& path);
    void ShowStatus();
    void ShowMessage(const QString& text);

    ResultsPageHost& host_;
    ReportModel reports_;
    std::vector<book::PileSketchData> sketches_;
    int unsavedReports_ = 0;
    ShownReport shownReport_ = ShownReport::Text;
    bool sketchShown_ = false;
    QString statusText_;
    QString statusFolder_;

    QLabel* lb_jisuanjieguo = nullptr;
    RoundButton* cbt_DaYin = nullptr;
    RoundButton* cbt_DaoChu = nullptr;
    RoundButton* cbt_JianTu = nullptr;
    RoundButton* cbt_PageBook = nullptr;
    QLabel* lb_zhuangtai = nullptr;
    ReportGridView* meo_jisuanjieguo_Doc = nullptr;
    ReportGridView* meo_jisuanjieguo_Xls = nullptr;
    PileSketchView* img_jiantu = nullptr;
    RoundButton* cbt_Exit = nullptr;
    RoundButton* cbt_Save = nullptr;
    RoundButton* cbt_sanchu = nullptr;
    QSlider* tcb_meoFontSize = nullptr;
};

}  // namespace rockpile
