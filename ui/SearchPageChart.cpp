// The chart of the design search page: a view of the result grid on view, shown in the
// grids' place by cbt_YHtubiao, its horizontal axis chosen in cbb_YHhengzhou (which
// takes the place of the grid's hint line while the chart shows), and saved as a PNG
// beside the list file.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

#include "search/SearchItems.h"
#include "ui/CandidateChart.h"
#include "ui/CandidateModel.h"
#include "ui/Controls.h"
#include "ui/PageParts.h"
#include "ui/SearchPage.h"

namespace rockpile {

namespace {

const QString kShowChart = QStringLiteral("图表");
const QString kShowTable = QStringLiteral("表格");

// The chart is drawn into its PNG at twice its size on the page.
constexpr qreal kImageRatio = 2;

}  // namespace

void SearchPage::CreateChart()
{
    ScaledPage* page = this;
    Chart_Youhuajieguo = new CandidateChart(page);
    Chart_Youhuajieguo->setToolTip(QStringLiteral("单击点选中所在行，双击获取数据"));
    page->place(Chart_Youhuajieguo, Rect(4, 414, 362, 280), 11);
    Chart_Youhuajieguo->hide();

    cbb_YHhengzhou = MakeCombo(page, page, "cbb_YHhengzhou",
                               {QStringLiteral("Ra – 嵌岩深度"), QStringLiteral("Ra – d|a")}, 0,
                               Rect(12, 697, 150, 23), kDefaultTextSize);
    cbb_YHhengzhou->setToolTip(QStringLiteral("图表横轴"));
    cbb_YHhengzhou->hide();

    cbt_YHtubiao = MakeButton(page, page, "cbt_YHtubiao", kShowChart, 10, Rect(274, 696, 40, 25));
    cbt_YHtubiao->setToolTip(QStringLiteral("图表 / 表格"));

    connect(cbt_YHtubiao, &QPushButton::clicked, this, &SearchPage::cbt_YHtubiaoClick);
    connect(cbb_YHhengzhou, &QComboBox::currentIndexChanged, this, &SearchPage::cbb_YHhengzhouChange);
    connect(Chart_Youhuajieguo, &CandidateChart::pointClicked, this, &SearchPage::Chart_YouhuajieguoPointClick);
    connect(Chart_Youhuajieguo, &CandidateChart::pointDoubleClicked, this,
            &SearchPage::Chart_YouhuajieguoPointDblClick);
}

QTableView* SearchPage::VisibleGrid() const
{
    return Grid2_Youhuajieguo->isHidden() ? Grid3_Youhuasaixuan : Grid2_Youhuajieguo;
}

void SearchPage::RefreshChart()
{
    if (!Chart_Youhuajieguo || !allCandidates_) return;
    // A chart that is not on view is brought up to date when it is shown or saved, so a
    // long list is not gone through for nothing.
    if (!chartShown_) {
        chartBehind_ = true;
        return;
    }
    chartBehind_ = false;
    ShowBand();
    Chart_Youhuajieguo->setSource(ModelOf(VisibleGrid()));
    Chart_Youhuajieguo->raise();
}

void SearchPage::ShowBand()
{
    // The window the filter would use: row 12 as the filter reads it, none while it
    // does not read.
    const auto cell = [this](int column) {
        const QTableWidgetItem* item = Grid1_Youhuaxuanxiang->item(itemrow::Filter, column);
        return item ? item->text().toStdString() : std::string();
    };
    const FilterWindowOutcome read =
        ReadFilterWindow(ItemRowTexts{cell(itemcol::Name), cell(itemcol::Min), cell(itemcol::Max), cell(itemcol::Step)});
    Chart_Youhuajieguo->setBand(read.ok() ? std::optional<RaWindow>(read.window) : std::nullopt);
}

void SearchPage::cbt_YHtubiaoClick()
{
    if (Busy()) return;
    chartShown_ = !chartShown_;
    cbt_YHtubiao->setText(chartShown_ ? kShowTable : kShowChart);
    Chart_Youhuajieguo->setVisible(chartShown_);
    cbb_YHhengzhou->setVisible(chartShown_);
    lb_huzhu->setVisible(!chartShown_);
    if (chartShown_) {
        RefreshChart();
        Chart_Youhuajieguo->setFocus();
    } else {
        VisibleGrid()->setFocus();
    }
}

void SearchPage::cbb_YHhengzhouChange(int item)
{
    if (Busy()) return;
    Chart_Youhuajieguo->setAxis(item == 1 ? CloudAxis::Size : CloudAxis::Depth);
}

void SearchPage::Chart_YouhuajieguoPointClick(int position)
{
    if (Busy()) return;
    QTableView* grid = VisibleGrid();
    const CandidateModel* model = ModelOf(grid);
    if (position < 0 || position >= model->rowCount()) return;
    // The row becomes current and comes into view; the columns stay where they were.
    QScrollBar* across = grid->horizontalScrollBar();
    const int scrolled = across->value();
    const int column = grid->currentIndex().isValid() ? grid->currentIndex().column() : candcol::Number;
    grid->setCurrentIndex(model->index(position, column));
    grid->scrollTo(model->index(position, column));
    across->setValue(scrolled);
}

void SearchPage::Chart_YouhuajieguoPointDblClick(int position)
{
    if (Busy()) return;
    QTableView* grid = VisibleGrid();
    if (grid == Grid2_Youhuajieguo)
        Grid2_YouhuajieguoCellDblClick(position, 0);
    else
        Grid3_YouhuasaixuanCellDblClick(position, 0);
}

bool SearchPage::SaveChartBeside(const QString& listPath, std::optional<CandidateCloud> cloud)
{
    // The chart of the list just saved, whether or not it is on view.
    if (chartBehind_ || !chartShown_) {
        ShowBand();
        if (cloud)
            Chart_Youhuajieguo->setSource(ModelOf(VisibleGrid()), std::move(*cloud));
        else
            Chart_Youhuajieguo->setSource(ModelOf(VisibleGrid()));
        chartBehind_ = false;
    }
    const QFileInfo list(listPath);
    const QString path = QDir::toNativeSeparators(list.dir().filePath(list.completeBaseName() + QStringLiteral(".png")));
    QString error;
    if (SaveChartImage(Chart_Youhuajieguo->image(kImageRatio), path, error)) return true;
    emit saveFailed(error);
    return false;
}

}  // namespace rockpile
