#pragma once
// The chart of the design search page (Chart_Youhuajieguo): the candidates of the result
// grid on view as points, Ra against the socket depth or against d|a, one series per
// section type, and the Ra window of the filter as a band.
//
// The chart shows a CandidateModel: the same shared list in the same order as the grid,
// kept as grid positions per section type (CandidateCloud), never as texts. What is
// drawn is decimated to the plot's pixels once a list is long (DecimateCloud), so a
// million candidates redraw in tens of milliseconds and the edges of the cloud stay
// where all points put them. A click on a point tells its grid position; so does a
// double click.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QChartView>
#include <QImage>

#include "search/CandidateCloud.h"
#include "search/SearchItems.h"

class QAreaSeries;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace rockpile {

class CandidateModel;

// Lists of up to this many rows are drawn point by point; longer ones decimated.
inline constexpr std::size_t kChartDrawAllUpTo = 5000;

class CandidateChart : public QChartView {
    Q_OBJECT
public:
    explicit CandidateChart(QWidget* parent = nullptr);

    // The rows the chart follows; refresh() reads them again.
    void setSource(const CandidateModel* model);
    // The same with its cloud already built (BuildCloud of the model's list and order
    // on the chart's axis), e.g. in a worker thread.
    void setSource(const CandidateModel* model, CandidateCloud cloud);
    // Rebuilds the cloud from the source's list and order and redraws it.
    void refresh();

    CloudAxis axis() const { return axis_; }
    void setAxis(CloudAxis axis);
    // The Ra window drawn as a band; none when the filter row does not read.
    void setBand(std::optional<RaWindow> window);
    std::optional<RaWindow> band() const { return band_; }

    const CandidateCloud& cloud() const { return cloud_; }
    // The series of section code 1..4 and the band.
    QScatterSeries* series(int sectionCode) const { return series_[std::size_t(sectionCode - 1)]; }
    QAreaSeries* bandSeries() const { return bandArea_; }
    QValueAxis* xAxis() const { return xAxis_; }
    QValueAxis* yAxis() const { return yAxis_; }
    // The grid positions of the points drawn in the series of `sectionCode`, by point.
    const std::vector<std::uint32_t>& drawnPositions(int sectionCode) const
    {
        return drawn_[std::size_t(sectionCode - 1)];
    }
    // The grid position of a drawn point of a series, if it is one.
    std::optional<std::uint32_t> positionOf(const QScatterSeries* series, const QPointF& point) const;

    // The chart as it stands, drawn at `ratio` times its size in pixels; the points are
    // first brought up to date, also when the chart is not on view.
    QImage image(qreal ratio);

signals:
    void pointClicked(int position);
    void pointDoubleClicked(int position);

protected:
    void changeEvent(QEvent* event) override;

private:
    // Draws the cloud into the plot at its current size.
    void redraw();
    void drawBand();
    void applyFonts();
    void scheduleRedraw();

    const CandidateModel* model_ = nullptr;
    CloudAxis axis_ = CloudAxis::Depth;
    std::optional<RaWindow> band_;
    CandidateCloud cloud_;
    std::array<QScatterSeries*, kCloudSeries> series_{};
    std::array<std::vector<std::uint32_t>, kCloudSeries> drawn_;
    QLineSeries* bandUpper_ = nullptr;
    QLineSeries* bandLower_ = nullptr;
    QAreaSeries* bandArea_ = nullptr;
    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
    // The plot size the points were decimated for.
    QSize drawnFor_;
    bool redrawPending_ = false;
};

// Writes `image` as a PNG file at `path` through an atomic save: the file is replaced
// whole or left as it was. Returns false with the save failure message in `error`.
bool SaveChartImage(const QImage& image, const QString& path, QString& error);

}  // namespace rockpile
