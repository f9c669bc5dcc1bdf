// The compute run: reads the input page, runs the calculation core and writes the
// outcome back into the controls; the precision button and popup.
//
// The controls are the data: the run reads its input from them and leaves behind, in
// them, everything a caller needs (the design search reads edt_ra and the first row of
// the layer table afterwards). Every text it writes comes from RunTexts, which the
// design search shares, so both show the same texts for the same inputs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <functional>

#include "core/ComputePile.h"
#include "report/Format.h"
#include "report/RunTexts.h"
#include "report/Texts.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"

namespace {

using rockpile::col::Count;


// The input page as the place the run writes to.
struct WindowPage final : rockpile::RunPage {
    std::function<void(int, int, const std::string&)> cell;
    std::function<void(const std::string&, const std::string&)> sizes;
    std::function<void(const std::string&)> clause;
    void setCell(int row, int column, const std::string& text) override { cell(row, column, text); }
    void setSizeTexts(const std::string& first, const std::string& second) override { sizes(first, second); }
    void setClause(const std::string& text) override { clause(text); }
};
const char* const kVerdictCompliant = "合规";

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

std::string CellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? S(item->text()) : std::string();
}

}  // namespace

void MainForm::cbt_computeClick() { RunCompute(); }

void MainForm::popbox_jingduChange()
{
    // Choosing a precision recalculates only while the list is open; the index set at
    // start or by code on a hidden list changes nothing else.
    if (popbox_jingdu->isHidden()) return;
    cbt_computeClick();
}

void MainForm::cbt_JingDuClick()
{
    const bool show = popbox_jingdu->isHidden();
    popbox_jingdu->setVisible(show);
    if (show) popbox_jingdu->raise();
}

rockpile::PileInput MainForm::ReadPileInput() const
{
    rockpile::PileInput input;
    const std::string first = S(cbe_dd->currentText());
    const std::string second = S(cbe_tyzd->currentText());
    switch (cbb_jmlx->currentIndex()) {
    case 1:
        input.sectionType = rockpile::SectionType::Ellipse;
        input.d = first;
        input.c = second;
        break;
    case 2:
        input.sectionType = rockpile::SectionType::Rectangle;
        input.a = first;
        input.b = second;
        break;
    default:
        input.sectionType = rockpile::SectionType::Circular;
        input.d = first;
        input.c = second;
        break;
    }
    input.strengthMode = static_cast<rockpile::StrengthMode>(cbb_qiangduzhi->currentIndex());
    input.coefficientMode = static_cast<rockpile::CoefficientMode>(cbb_chezhuxishu->currentIndex());
    input.interpolationBasis =
        static_cast<rockpile::InterpolationBasis>(cbb_wanzhengchengdu->currentIndex());
    input.boredPile = ckb_dixiashui->isChecked();
    input.reductionFactor = S(cbe_zhuanchongkong->currentText());
    input.softRockExposed = ckb_ruanzhiyan->isChecked();

    const int n = std::clamp(cbb_yanchengshu->currentIndex() + 1, 1, rockpile::kMaxLayers);
    input.layers.resize(static_cast<size_t>(n));
    for (int row = 0; row < n; ++row) {
        rockpile::RockLayer& layer = input.layers[static_cast<size_t>(row)];
        layer.lr = CellText(StringGrid_QB2, row, rockpile::col::Lr);
        layer.weathering = CellText(StringGrid_QB2, row, rockpile::col::Weathering);
        layer.integrityText = CellText(StringGrid_QB2, row, rockpile::col::Integrity);
        layer.kv = CellText(StringGrid_QB2, row, rockpile::col::Kv);
        layer.frk = CellText(StringGrid_QB2, row, rockpile::col::Frk);
        layer.c1Manual = CellText(StringGrid_QB2, row, rockpile::col::C1Manual);
        layer.c2Manual = CellText(StringGrid_QB2, row, rockpile::col::C2Manual);
        layer.qpaGiven = CellText(StringGrid_QB2, row, rockpile::col::Qpa);
        layer.qraGiven = CellText(StringGrid_QB2, row, rockpile::col::Qra);
    }
    return input;
}

rockpile::ReportSnapshot MainForm::ReadReportSnapshot() const
{
    rockpile::ReportSnapshot s;
    s.section = static_cast<rockpile::SectionType>(cbb_jmlx->currentIndex() + 1);
    s.ddText = S(cbe_dd->currentText());
    s.tyzdText = S(cbe_tyzd->currentText());
    s.reductionFactorText = S(cbe_zhuanchongkong->currentText());
    s.layerCountItemText = S(cbb_yanchengshu->currentText());
    s.strengthMode = static_cast<rockpile::StrengthMode>(cbb_qiangduzhi->currentIndex());
    s.strengthItemText = S(cbb_qiangduzhi->currentText());
    s.coefficientMode = static_cast<rockpile::CoefficientMode>(cbb_chezhuxishu->currentIndex());
    s.coefficientItemText = S(cbb_chezhuxishu->currentText());
    s.interpolationBasis = static_cast<rockpile::InterpolationBasis>(cbb_wanzhengchengdu->currentIndex());
    s.basisItemText = S(cbb_wanzhengchengdu->currentText());
    s.boredPile = ckb_dixiashui->isChecked();
    s.softRockExposed = ckb_ruanzhiyan->isChecked();
    s.precisionMode = popbox_jingdu->currentIndex();
    const int n = std::clamp(cbb_yanchengshu->currentIndex() + 1, 1, rockpile::kMaxLayers);
    s.rows.resize(static_cast<size_t>(n));
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < Count; ++column)
            s.rows[static_cast<size_t>(row)][static_cast<size_t>(column)] =
                CellText(StringGrid_QB2, row, column);
    return s;
}

void MainForm::SetLayerCell(int row, int column, const QString& text)
{
    // Cells written by code fire no editing handler: that one follows the user's
    // editor only.
    if (QTableWidgetItem* item = StringGrid_QB2->item(row, column))
        item->setText(text);
    else if (!text.isEmpty())
        StringGrid_QB2->setItem(row, column, new QTableWidgetItem(text));
}

void MainForm::ApplyStatusEvents(const std::vector<rockpile::StatusEvent>& events)
{
    using rockpile::StatusEvent;
    for (const StatusEvent& event : events) {
        switch (event.type) {
        case StatusEvent::Type::ShowMessage: {
            // A note keeps whatever colour the line has.
            const std::optional<rockpile::Argb> colour = rockpile::MessageColour(event.kind);
            ShowStatusMessage(Q(event.text),
                              colour ? QColor(*colour) : rockpile::TextColour(lb_shuoming));
            break;
        }
        case StatusEvent::Type::ClearStatusLine:
            // Emptied, but neither hidden nor given back to the banner picture.
            lb_shuoming->setText(QString());
            break;
        case StatusEvent::Type::SetColour: {
            QWidget* target = nullptr;
            switch (event.target) {
            case rockpile::StatusTarget::StatusLine: target = lb_shuoming; break;
            case rockpile::StatusTarget::SizeField1: target = cbe_dd; break;
            case rockpile::StatusTarget::SizeField2: target = cbe_tyzd; break;
            case rockpile::StatusTarget::ReductionFactor: target = cbe_zhuanchongkong; break;
            }
            if (target) rockpile::SetTextColour(target, QColor(event.colour));
            break;
        }
        }
    }
}

bool MainForm::RunCompute()
{
    // 1. Results of an earlier run go; "计算" comes back.
    ClearResultDisplay();

    // 2. The input as it stands on the page.
    const rockpile::PileInput input = ReadPileInput();

    // 3, 4. Calculate, then show what the calculation produced: messages and colours,
    //    then everything the run writes into the page (WriteRunOutcome: the computed
    //    columns emptied, corrections, each layer's columns, the clause, and the shares
    //    once all layers are through). After a stop this is everything up to the
    //    failed check.
    const rockpile::ComputeOutcome outcome = rockpile::ComputePile(input);
    const rockpile::PileResult& result = outcome.result;
    ApplyStatusEvents(outcome.events);
    WindowPage page;
    page.cell = [this](int row, int column, const std::string& text) { SetLayerCell(row, column, Q(text)); };
    page.sizes = [this](const std::string& first, const std::string& second) {
        // The exchanged sides are committed as the controls' values without running
        // their change handlers: those would empty the status line that the run has
        // just written, and there is no user change to react to.
        const QSignalBlocker blockFirst(cbe_dd);
        const QSignalBlocker blockSecond(cbe_tyzd);
        cbe_dd->setText(Q(first));
        cbe_tyzd->setText(Q(second));
    };
    page.clause = [this](const std::string& text) { lb_guifan2->setText(Q(text)); };
    rockpile::WriteRunOutcome(input, outcome, page);

    if (outcome.stopped()) {
        // A silent abort: the input page shows where and why; the search page, whose
        // run may have been the caller, says that the run was stopped.
        emit runAborted();
        return false;
    }

    // 5. The result fields in the chosen precision, coloured by the verdict.
    const rockpile::ResultFieldTexts fields =
        rockpile::FormatResultFields(result, popbox_jingdu->currentIndex());
    const QColor verdictColour = result.verdict == kVerdictCompliant ? rockpile::colour::Green : rockpile::colour::Red;
    for (QLineEdit* field : {edt_Quk, edt_ra, edt_percent}) rockpile::SetTextColour(field, verdictColour);
    edt_Quk->setText(Q(fields.rpa));
    edt_ra->setText(Q(fields.ra));
    edt_percent->setText(Q(fields.percent));

    // 6. Only while the input page is in use: both reports take the calculation and
    //    "结果" replaces "计算".
    if (SaveTarget != 0) return true;
    const std::string stamp = rockpile::TimeStamp(reportClock(), QLocale());
    if (!JieGuo_DocLayer->AppendCalculation(ReadReportSnapshot(), result, stamp)) {
        // The run itself never leaves such cells; this guards against texts put there
        // by other means.
        ShowStatusMessage(QString::fromUtf8(rockpile::kReportRefused.data(), qsizetype(rockpile::kReportRefused.size())),
                          rockpile::colour::Red);
        return false;
    }
    cbt_compute->setEnabled(false);
    cbt_compute->hide();
    cbt_View->show();
    popbox_jingdu->hide();
    return true;
}
