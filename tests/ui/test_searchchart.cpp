// The chart of the design search page before a fake window: it shows what the result
// grid on view shows after a search, a sort, a filter and a fold; a click on a point
// selects its row, a double click takes the row back as the grid's double click does;
// the filter window is its band; a saved list gets the chart as a PNG beside it.
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScatterSeries>
#include <QAreaSeries>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include <map>
#include <memory>

#include "report/Texts.h"
#include "search/CandidateList.h"
#include "ui/CandidateChart.h"
#include "ui/CandidateModel.h"
#include "ui/SearchPage.h"

namespace {

struct FakeHost : rockpile::SearchPageHost {
    rockpile::PileInput input = rockpile::PileInput::StartDefaults();
    std::vector<rockpile::SearchCandidate> candidates;
    rockpile::PileInput CurrentInput() const override { return input; }
    int PrecisionMode() const override { return 2; }
    void PrepareInputForSearch() override {}
    void PutCandidate(const rockpile::SearchCandidate& candidate) override { candidates.push_back(candidate); }
    bool RunComputation() override { return true; }
    QDateTime Now() const override { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); }
};

bool operator==(const rockpile::SearchCandidate& a, const rockpile::SearchCandidate& b)
{
    return a.sectionItem == b.sectionItem && a.first == b.first && a.second == b.second && a.basisItem == b.basisItem &&
           a.lr == b.lr && a.frk == b.frk && a.weathering == b.weathering && a.integrityClass == b.integrityClass &&
           a.kv == b.kv;
}

}  // namespace

class TestSearchChart : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeHost> host;
    std::unique_ptr<rockpile::SearchPage> page;

    template <typename W = QWidget>
    W* find(const char* name)
    {
        auto* w = page->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("control %s not found", name);
        return w;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    rockpile::CandidateChart* chart() { return find<rockpile::CandidateChart>("Chart_Youhuajieguo"); }
    QTableView* visibleGrid()
    {
        QTableView* all = find<QTableView>("Grid2_Youhuajieguo");
        return all->isHidden() ? find<QTableView>("Grid3_Youhuasaixuan") : all;
    }
    void setItem(int row, int column, const QString& text)
    {
        find<QTableWidget>("Grid1_Youhuaxuanxiang")->item(row, column)->setText(text);
        page->Grid1_YouhuaxuanxiangEditingDone(row, column);
    }

    // The chart shows the visible grid: per section type as many points as rows of that
    // section, every drawn point at the Ra and the x of the grid row it stands for.
    void verifyChartFollowsGrid(const char* step)
    {
        QTableView* grid = visibleGrid();
        const auto* model = static_cast<const rockpile::CandidateModel*>(grid->model());
        rockpile::CandidateChart* c = chart();
        const bool bySize = c->axis() == rockpile::CloudAxis::Size;
        std::map<QString, std::size_t> rowsBySection;
        for (int row = 0; row < model->rowCount(); ++row)
            ++rowsBySection[model->index(row, rockpile::candcol::Section).data().toString()];
        std::size_t total = 0;
        for (int code = 1; code <= rockpile::kCloudSeries; ++code) {
            // The grid writes the section as a column text ("圆  桩"), the legend plainly.
            const std::string_view column = rockpile::SectionName(code, rockpile::SectionNameStyle::Column);
            const std::string_view plain = rockpile::SectionName(code, rockpile::SectionNameStyle::Plain);
            const QString name = QString::fromUtf8(column.data(), qsizetype(column.size()));
            QScatterSeries* series = c->series(code);
            QCOMPARE(series->name(), QString::fromUtf8(plain.data(), qsizetype(plain.size())));
            const auto& positions = c->cloud().positions[std::size_t(code - 1)];
            QVERIFY2(positions.size() == rowsBySection[name], step);
            // Short lists are drawn point by point.
            QCOMPARE(std::size_t(series->count()), positions.size());
            total += std::size_t(series->count());
            for (qsizetype i = 0; i < series->count(); ++i) {
                const int row = int(c->drawnPositions(code)[std::size_t(i)]);
                QCOMPARE(model->index(row, rockpile::candcol::Section).data().toString(), name);
                QCOMPARE(series->at(i).y(), model->index(row, rockpile::candcol::Ra).data().toString().toDouble());
                const int xColumn = bySize ? rockpile::candcol::Size1 : rockpile::candcol::Depth;
                const double x = QString::fromStdString(model->rowTexts(row)[std::size_t(xColumn)]).toDouble();
                QVERIFY2(qAbs(series->at(i).x() - x) <= 0.005, step);
            }
        }
        QVERIFY2(total == std::size_t(model->rowCount()), step);
    }

    // Where a point of a series is on the chart view's viewport.
    QPoint onView(QScatterSeries* series, const QPointF& point)
    {
        rockpile::CandidateChart* c = chart();
        return c->mapFromScene(c->chart()->mapToScene(c->chart()->mapToPosition(point, series)));
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        host = std::make_unique<FakeHost>();
        page = std::make_unique<rockpile::SearchPage>(*host, nullptr);
        page->resize(370, 800);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }
    void cleanup()
    {
        page.reset();
        host.reset();
    }

    // The button puts the chart in the grids' place and the axis choice in the hint's
    // place, and back.
    void buttonSwitchesBetweenTableAndChart()
    {
        QPushButton* toggle = button("cbt_YHtubiao");
        QComboBox* axis = find<QComboBox>("cbb_YHhengzhou");
        QCOMPARE(toggle->text(), QStringLiteral("图表"));
        QVERIFY(chart()->isHidden());
        toggle->click();
        QCOMPARE(toggle->text(), QStringLiteral("表格"));
        QVERIFY(chart()->isVisible());
        QVERIFY(axis->isVisible());
        QVERIFY(find<QLabel>("lb_huzhu")->isHidden());
        QCOMPARE(chart()->geometry(), find<QTableView>("Grid2_Youhuajieguo")->geometry());
        toggle->click();
        QCOMPARE(toggle->text(), QStringLiteral("图表"));
        QVERIFY(chart()->isHidden());
        QVERIFY(axis->isHidden());
        QVERIFY(find<QLabel>("lb_huzhu")->isVisible());
    }

    void chartFollowsTheList()
    {
        button("cbt_YHtubiao")->click();
        button("cbt_YHcompute")->click();
        QCOMPARE(visibleGrid()->model()->rowCount(), 1152);
        verifyChartFollowsGrid("search");
        QCOMPARE(chart()->cloud().count(), std::size_t(1152));

        // A sort permutes the rows: the points follow their rows.
        QHeaderView* header = visibleGrid()->horizontalHeader();
        emit header->sectionClicked(rockpile::candcol::Ra);
        verifyChartFollowsGrid("Ra sort");
        emit header->sectionClicked(rockpile::candcol::Size1);
        verifyChartFollowsGrid("d sort");

        // The other axis.
        find<QComboBox>("cbb_YHhengzhou")->setCurrentIndex(1);
        QCOMPARE(chart()->xAxis()->titleText(), QStringLiteral("d|a(mm)"));
        verifyChartFollowsGrid("d|a axis");

        // A filter: only its rows, and the band is its window.
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Min, QStringLiteral("20000"));
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Max, QStringLiteral("30000"));
        button("cbt_YHsaixuan")->click();
        QVERIFY(visibleGrid()->objectName() == QStringLiteral("Grid3_Youhuasaixuan"));
        QVERIFY(visibleGrid()->model()->rowCount() > 0);
        QVERIFY(visibleGrid()->model()->rowCount() < 1152);
        verifyChartFollowsGrid("filter");
        QCOMPARE(chart()->band(), std::optional<rockpile::RaWindow>(rockpile::RaWindow{20000, 30000}));
        QVERIFY(chart()->bandSeries()->isVisible());
        // Cut to the axis, which spans the points.
        QCOMPARE(chart()->bandSeries()->upperSeries()->at(0).y(), qMin(30000.0, chart()->yAxis()->max()));
        QCOMPARE(chart()->bandSeries()->lowerSeries()->at(0).y(), qMax(20000.0, chart()->yAxis()->min()));
        QCOMPARE(chart()->bandSeries()->upperSeries()->at(1).x(), chart()->xAxis()->max());

        // A fold hides columns only: the same rows.
        button("cbt_zhangkai")->click();
        verifyChartFollowsGrid("fold");
        button("cbt_zhangkai")->click();
        verifyChartFollowsGrid("unfold");

        // A window that does not read leaves no band; a window above all points none
        // either.
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Min, QStringLiteral("x"));
        QVERIFY(!chart()->band().has_value());
        QVERIFY(!chart()->bandSeries()->isVisible());
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Min, QStringLiteral("1e9"));
        QVERIFY(chart()->band().has_value());
        QVERIFY(!chart()->bandSeries()->isVisible());

        // A new search shows all rows again.
        setItem(rockpile::itemrow::Frk, rockpile::itemcol::Max, QStringLiteral("30"));
        button("cbt_YHcompute")->click();
        QVERIFY(visibleGrid()->objectName() == QStringLiteral("Grid2_Youhuajieguo"));
        verifyChartFollowsGrid("second search");
    }

    // A chart that was not on view catches up when shown.
    void hiddenChartCatchesUp()
    {
        button("cbt_YHcompute")->click();
        emit visibleGrid()->horizontalHeader()->sectionClicked(rockpile::candcol::Ra);
        QCOMPARE(chart()->cloud().count(), std::size_t(0));
        button("cbt_YHtubiao")->click();
        verifyChartFollowsGrid("shown");
    }

    void clickSelectsTheRowAndDoubleClickTakesItBack()
    {
        button("cbt_YHtubiao")->click();
        button("cbt_YHcompute")->click();
        emit visibleGrid()->horizontalHeader()->sectionClicked(rockpile::candcol::Ra);
        QTest::qWait(50);

        // A point of the ellipses that no other point covers.
        QScatterSeries* series = chart()->series(2);
        QVERIFY(series->count() > 0);
        const qsizetype last = series->count() - 1;
        const QPointF point = series->at(last);
        const int position = int(chart()->drawnPositions(2)[std::size_t(last)]);
        QSignalSpy clicked(chart(), &rockpile::CandidateChart::pointClicked);
        const QPoint at = onView(series, point);
        QTest::mouseClick(chart()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(clicked.count(), 1);
        // The click reports a point at that place; the row selected is that point's.
        const int selected = clicked.at(0).at(0).toInt();
        QCOMPARE(visibleGrid()->currentIndex().row(), selected);
        QVERIFY(visibleGrid()->selectionModel()->isRowSelected(selected, {}));
        QCOMPARE(visibleGrid()->model()->index(selected, rockpile::candcol::Ra).data(),
                 visibleGrid()->model()->index(position, rockpile::candcol::Ra).data());

        // The double click puts on the host exactly what the grid's double click does.
        host->candidates.clear();
        QSignalSpy taken(page.get(), &rockpile::SearchPage::candidateTaken);
        QTest::mouseDClick(chart()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(taken.count(), 1);
        QCOMPARE(host->candidates.size(), std::size_t(1));
        const rockpile::SearchCandidate fromChart = host->candidates.front();
        page->Grid2_YouhuajieguoCellDblClick(selected, 0);
        QCOMPARE(host->candidates.size(), std::size_t(2));
        QVERIFY(fromChart == host->candidates.back());
        QCOMPARE(fromChart.sectionItem, 1);

        // Through the page's own slot, by position, in the filtered list as well.
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Min, QStringLiteral("1"));
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Max, QStringLiteral("0"));
        button("cbt_YHsaixuan")->click();
        page->Chart_YouhuajieguoPointClick(7);
        QCOMPARE(visibleGrid()->currentIndex().row(), 7);
        host->candidates.clear();
        page->Chart_YouhuajieguoPointDblClick(7);
        page->Grid3_YouhuasaixuanCellDblClick(7, 0);
        QCOMPARE(host->candidates.size(), std::size_t(2));
        QVERIFY(host->candidates.front() == host->candidates.back());
    }

    // "存盘" saves the chart beside the list, under the list's name, also when the chart
    // is not on view; a PNG that cannot be written is reported and "存盘" stays enabled.
    void pngIsSavedBesideTheList()
    {
        button("cbt_YHcompute")->click();
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QSignalSpy failed(page.get(), &rockpile::SearchPage::saveFailed);
        page->SaveVisibleList(folder.path());
        QCOMPARE(failed.count(), 0);
        const QString base = QStringLiteral("嵌岩桩优化计算原始结果(依据DBJ15-31-2016)_表格");
        QVERIFY(QFile::exists(folder.filePath(base + QStringLiteral(".txt"))));
        QImage image(folder.filePath(base + QStringLiteral(".png")));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), chart()->size() * 2);
        QVERIFY(!button("cbt_YHsave")->isEnabled());
        // The saved chart shows the list: points of the circles' colour are in it.
        int blue = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) blue += image.pixel(x, y) == 0xFF0072B2u ? 1 : 0;
        QVERIFY(blue > 50);

        // The filtered list, with a folder in the PNG's place.
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Min, QStringLiteral("1"));
        setItem(rockpile::itemrow::Filter, rockpile::itemcol::Max, QStringLiteral("0"));
        button("cbt_YHsaixuan")->click();
        const QString filteredBase = QStringLiteral("嵌岩桩优化计算筛选结果(依据DBJ15-31-2016)_表格");
        QVERIFY(QDir(folder.path()).mkdir(filteredBase + QStringLiteral(".png")));
        page->SaveVisibleList(folder.path());
        QCOMPARE(failed.count(), 1);
        const QString pngPath = QDir::toNativeSeparators(folder.filePath(filteredBase + QStringLiteral(".png")));
        QCOMPARE(failed.at(0).at(0).toString().section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("文件无法保存：") + pngPath);
        QVERIFY(QFile::exists(folder.filePath(filteredBase + QStringLiteral(".txt"))));
        QVERIFY(button("cbt_YHsave")->isEnabled());
    }
};

QTEST_MAIN(TestSearchChart)
#include "test_searchchart.moc"
