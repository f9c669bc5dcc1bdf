// The input page: the section controls, the rock controls and the layer table.
//
// The visible columns of the layer table and the enabled rock controls follow from the
// strength mode, the coefficient mode, the interpolation basis, the expanded state and
// the bored-pile mark alone; every handler that changes one of them applies the whole
// rule set (RockRules) once, then does its own further effects.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>
#include <QTableWidget>

#include "core/InputChecks.h"
#include "core/PileInput.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/LayerTable.h"
#include "ui/MainForm.h"

namespace {


const QString kExpand = QStringLiteral("展开");
const QString kFold = QStringLiteral("折叠");

// A decimal number as the user types it: blanks around it, an optional sign, an
// optional exponent; the decimal point is ".".
bool ConvertNumber(const QString& text, double& value)
{
    return rockpile::TryConvertNumber(text.toStdString(), value);
}

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QStringList Steps(int first, int last, int step)
{
    QStringList items;
    for (int v = first; v <= last; v += step) items << QString::number(v);
    return items;
}

}  // namespace

// ---------------------------------------------------------------- pile section

void MainForm::cbb_jmlxChange()
{
    const int item = cbb_jmlx->currentIndex();
    if (item == 2) {
        lb_dd->setText(QStringLiteral("矩形长边尺寸    a (mm)"));
        lb_tyzd->setText(QStringLiteral("矩形短边尺寸    b (mm)"));
        lb_tyzd->setEnabled(true);
        cbe_tyzd->setEnabled(true);
        cbe_tyzd->replaceItems(Steps(1000, 2000, 100));
        cbe_tyzd->setCurrentIndex(0);  // "1000"; runs cbe_tyzdChange when the text changes
    } else {
        lb_dd->setText(QStringLiteral("桩  身   直   径    d (mm)"));
        lb_tyzd->setText(QStringLiteral("椭圆直段长度    c (mm)"));
        const bool ellipse = item == 1;
        lb_tyzd->setEnabled(ellipse);
        cbe_tyzd->setEnabled(ellipse);
        cbe_tyzd->replaceItems(Steps(100, 1200, 100));
        if (ellipse)
            cbe_tyzd->setCurrentIndex(4);  // "500"
        else
            cbe_tyzd->setText(QStringLiteral("0"));
    }
    ClearResultDisplay();
}

void MainForm::cbe_ddChange()
{
    ClearResultDisplay();
    double value = 0;
    if (ConvertNumber(cbe_dd->currentText(), value) && rockpile::checks::SizeValid(value)) {
        lb_shuoming->setText(QString());
        rockpile::SetTextColour(cbe_dd, rockpile::colour::Black);
    } else {
        // One message for d and for the long side a, as the field holds either.
        ShowStatusMessage(Text(rockpile::checks::kDiameterError), rockpile::colour::Red);
        rockpile::SetTextColour(cbe_dd, rockpile::colour::Red);
    }
}

void MainForm::cbe_tyzdChange()
{
    ClearResultDisplay();
    double value = 0;
    // Unlike the calculation, the field accepts 0: it holds "0" for a circular section,
    // whose c is not tested, and the section handler writes that "0" through this
    // handler. A 0 for an ellipse or a rectangle is refused by the calculation's own
    // test when "计算" runs.
    if (ConvertNumber(cbe_tyzd->currentText(), value) && (rockpile::checks::SizeValid(value) || value == 0)) {
        lb_shuoming->setText(QString());
        rockpile::SetTextColour(cbe_tyzd, rockpile::colour::Black);
    } else {
        // One message for c and for the short side b, as the field holds either.
        ShowStatusMessage(Text(rockpile::checks::kStraightSegmentError), rockpile::colour::Red);
        rockpile::SetTextColour(cbe_tyzd, rockpile::colour::Red);
    }
}

// ---------------------------------------------------------------- rock parameters

bool MainForm::LayerTableExpanded() const { return layerTableExpanded_; }

void MainForm::ApplyCoefficientColumns()
{
    const rockpile::RockControlRules rules =
        rockpile::RockRules(static_cast<rockpile::StrengthMode>(cbb_qiangduzhi->currentIndex()),
                            static_cast<rockpile::CoefficientMode>(cbb_chezhuxishu->currentIndex()),
                            static_cast<rockpile::InterpolationBasis>(cbb_wanzhengchengdu->currentIndex()),
                            LayerTableExpanded(), ckb_dixiashui->isChecked());
    for (int c = 0; c < rockpile::col::Count; ++c)
        StringGrid_QB2->setColumnHidden(c, !rules.columnVisible[static_cast<size_t>(c)]);
    lb_chezhuxishu->setEnabled(rules.coefficientModeEnabled);
    cbb_chezhuxishu->setEnabled(rules.coefficientModeEnabled);
    for (QWidget* w : std::initializer_list<QWidget*>{lb_wanzhengchengdu, cbb_wanzhengchengdu,
                                                      ckb_dixiashui, ckb_ruanzhiyan})
        w->setEnabled(rules.interpolationEnabled);
    lb_zhuanchongkong->setEnabled(rules.reductionEnabled);
    cbe_zhuanchongkong->setEnabled(rules.reductionEnabled);
}

void MainForm::cbb_yanchengshuChange()
{
    // Rows beyond the new count go with their cells; new rows hold only their number.
    const int n = cbb_yanchengshu->currentIndex() + 1;
    StringGrid_QB2->setRowCount(n);
    for (int row = 0; row < n; ++row) {
        const QString number = QString::number(row + 1);
        if (QTableWidgetItem* item = StringGrid_QB2->item(row, rockpile::col::Number))
            item->setText(number);
        else
            StringGrid_QB2->setItem(row, rockpile::col::Number, new QTableWidgetItem(number));
    }
    ClearResultDisplay();
}

void MainForm::cbb_qiangduzhiChange()
{
    ApplyCoefficientColumns();
    lb_guifan2->setText(cbb_qiangduzhi->currentIndex() == 0
                            ? QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.5条")
                            : QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.4条"));
    ClearResultDisplay();
}

void MainForm::cbb_chezhuxishuChange()
{
    ApplyCoefficientColumns();
    if (cbb_chezhuxishu->currentIndex() == 1) {
        rockpile::SetTextColour(lb_chezhuxishu, rockpile::colour::Black);
        ShowStatusMessage(QString(), rockpile::colour::Black);
    } else {
        rockpile::SetTextColour(lb_chezhuxishu, rockpile::colour::Red);
        ShowStatusMessage(QStringLiteral("提示：指定的系数需自行确定其合理性"), rockpile::colour::Magenta);
    }
    ClearResultDisplay();
}

void MainForm::cbb_wanzhengchengduChange()
{
    ApplyCoefficientColumns();
    ClearResultDisplay();
}

void MainForm::cbt_kuozhanbiaogeClick()
{
    layerTableExpanded_ = !layerTableExpanded_;
    cbt_kuozhanbiaoge->setText(layerTableExpanded_ ? kFold : kExpand);
    ApplyCoefficientColumns();
}

void MainForm::ckb_dixiashuiChange()
{
    ApplyCoefficientColumns();
    ClearResultDisplay();
}

void MainForm::ckb_ruanzhiyanChange() { ClearResultDisplay(); }

void MainForm::cbe_zhuanchongkongChange()
{
    const QString text = cbe_zhuanchongkong->currentText();
    double factor = 0;
    if (!ConvertNumber(text, factor)) {
        // The conversion error, reported as the platform reports an error that a
        // handler leaves: a message box that does not hold up the window.
        auto* box = new QMessageBox(QMessageBox::Critical, windowTitle(),
                                    QStringLiteral("'%1' is not a valid floating point value").arg(text),
                                    QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("ConversionErrorBox"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    if (!rockpile::checks::ReductionFactorValid(factor)) {
        ShowStatusMessage(Text(rockpile::checks::kReductionFactorError), rockpile::colour::Red);
        return;
    }
    rockpile::SetTextColour(lb_shuoming, rockpile::colour::Black);
    lb_shuoming->setText(QString());
    cbt_compute->setEnabled(true);
    cbt_compute->show();
    cbt_View->hide();
}

// ---------------------------------------------------------------- layer table

void MainForm::StringGrid_QB2SelectCell(int /*row*/, int column)
{
    StringGrid_QB2->setEditTriggers(rockpile::IsLayerInputColumn(column)
                                        ? QAbstractItemView::DoubleClicked |
                                              QAbstractItemView::SelectedClicked |
                                              QAbstractItemView::EditKeyPressed |
                                              QAbstractItemView::AnyKeyPressed
                                        : QAbstractItemView::NoEditTriggers);
}

void MainForm::StringGrid_QB2EditingDone() { ClearResultDisplay(); }

// ---------------------------------------------------------------- keyboard

void MainForm::SetUpInputPageKeys()
{
    // Tab walks the page as it reads: the buttons beside the title, each group from its
    // top, its result fields, then the buttons at the foot. Hidden and disabled controls
    // are passed over when their turn comes.
    const QWidget* order[] = {
        cbt_DaKai, cbt_BaoCun, cbt_CopyRight,
        cbb_jmlx, cbe_dd, cbe_tyzd,
        cbb_yanchengshu, cbb_qiangduzhi, cbb_chezhuxishu, cbb_wanzhengchengdu,
        ckb_dixiashui, cbe_zhuanchongkong, cbt_kuozhanbiaoge, ckb_ruanzhiyan, StringGrid_QB2,
        cbt_JingDu, popbox_jingdu, edt_Quk, edt_ra, edt_percent,
        cbt_compute, cbt_View, cbt_YouHua, cbt_tuichu,
    };
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));

    // "计算" from anywhere on the input page while it is offered; the shortcuts follow the
    // button, so they rest while "结果" stands in its place or another page is shown.
    const QKeySequence keys[] = {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
                                 QKeySequence(Qt::CTRL | Qt::Key_Enter)};
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, cbt_compute);
        shortcut->setObjectName(QStringLiteral("cbt_computeShortcut"));
        connect(shortcut, &QShortcut::activated, cbt_compute, &QPushButton::click);
    }
    cbt_compute->setToolTip(QStringLiteral("计算 (F5, Ctrl+Enter)"));
}

// ---------------------------------------------------------------- what the search page asks of the input page

int MainForm::PrecisionMode() const { return popbox_jingdu->currentIndex(); }

void MainForm::PrepareInputForSearch()
{
    img_logo->hide();
    lb_shuoming->show();
    cbb_yanchengshu->setCurrentIndex(0);
    cbb_qiangduzhi->setCurrentIndex(1);
    cbb_chezhuxishu->setCurrentIndex(1);
}

void MainForm::PutCandidate(const rockpile::SearchCandidate& candidate)
{
    const auto setCell = [this](int column, const QString& text) {
        if (QTableWidgetItem* item = StringGrid_QB2->item(0, column))
            item->setText(text);
        else
            StringGrid_QB2->setItem(0, column, new QTableWidgetItem(text));
    };
    // The section first: its change handler writes a default size into cbe_tyzd, which
    // the candidate's size then replaces.
    cbb_jmlx->setCurrentIndex(candidate.sectionItem);
    cbe_dd->setText(candidate.first);
    cbe_tyzd->setText(candidate.second);
    cbb_yanchengshu->setCurrentIndex(0);
    cbb_qiangduzhi->setCurrentIndex(1);
    cbb_chezhuxishu->setCurrentIndex(1);
    cbb_wanzhengchengdu->setCurrentIndex(candidate.basisItem);
    setCell(rockpile::col::Lr, candidate.lr);
    if (candidate.weathering) setCell(rockpile::col::Weathering, *candidate.weathering);
    if (candidate.integrityClass) setCell(rockpile::col::Integrity, *candidate.integrityClass);
    if (candidate.kv) setCell(rockpile::col::Kv, *candidate.kv);
    setCell(rockpile::col::Frk, candidate.frk);
}
