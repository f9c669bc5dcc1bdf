#include "ui/CandidateChart.h"

#include <QAreaSeries>
#include <QChart>
#include <QEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>
#include <QGraphicsLayout>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "files/ResultFile.h"
#include "report/Texts.h"
#include "ui/CandidateModel.h"

namespace rockpile {

namespace {

// Colours that readers with any common colour vision tell apart (Okabe and Ito), and a
// marker shape per section type, so that the series differ in grey as well.
struct SeriesLook {
    QRgb colour;
    QScatterSeries::MarkerShape shape;
};
constexpr SeriesLook kLooks[kCloudSeries] = {
    {0xFF0072B2u, QScatterSeries::MarkerShapeCircle},            // circle: blue
    {0xFFE69F00u, QScatterSeries::MarkerShapeTriangle},          // ellipse: orange
    {0xFF009E73u, QScatterSeries::MarkerShapeRectangle},         // rectangle: bluish green
    {0xFFD55E00u, QScatterSeries::MarkerShapeRotatedRectangle},  // square: vermillion
};
constexpr double kMarkerSize = 7;

// The range an axis shows for values from lo to hi: a margin of 4 % either side, and a
// unit either side when all values are equal.
std::pair<double, double> Padded(double lo, double hi)
{
    const double margin = hi > lo ? (hi - lo) * 0.04 : std::max(1.0, std::abs(lo) * 0.05);
    return {lo - margin, hi + margin};
}

QString AxisTitle(CloudAxis axis)
{
    return axis == CloudAxis::Depth ? QStringLiteral("嵌岩深度 lr(m)") : QStringLiteral("d|a(mm)");
}

}  // namespace

CandidateChart::CandidateChart(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("Chart_Youhuajieguo"));
    setRenderHint(QPainter::Antialiasing, true);
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->setAnimationOptions(QChart::NoAnimation);
    // The view comes with a chart of its own, which setChart hands back to us.
    QChart* given = QChartView::chart();
    setChart(chart);
    delete given;

    xAxis_ = new QValueAxis(chart);
    yAxis_ = new QValueAxis(chart);
    xAxis_->setTitleText(AxisTitle(axis_));
    yAxis_->setTitleText(QStringLiteral("Ra(kN)"));
    yAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(xAxis_, Qt::AlignBottom);
    chart->addAxis(yAxis_, Qt::AlignLeft);

    // The band first, so that the points are drawn over it.
    bandUpper_ = new QLineSeries(chart);
    bandLower_ = new QLineSeries(chart);
    bandArea_ = new QAreaSeries(bandUpper_, bandLower_);
    bandArea_->setName(QStringLiteral("筛选 Ra"));
    bandArea_->setColor(QColor(0xF0, 0xE4, 0x42, 110));
    bandArea_->setBorderColor(QColor(0xB8, 0xA9, 0x00, 200));
    chart->addSeries(bandArea_);
    bandArea_->attachAxis(xAxis_);
    bandArea_->attachAxis(yAxis_);

    for (int s = 0; s < kCloudSeries; ++s) {
        auto* series = new QScatterSeries(chart);
        const std::string_view name = SectionName(s + 1, SectionNameStyle::Plain);
        series->setName(QString::fromUtf8(name.data(), qsizetype(name.size())));
        series->setMarkerShape(kLooks[s].shape);
        series->setMarkerSize(kMarkerSize);
        series->setColor(QColor::fromRgba(kLooks[s].colour));
        series->setBorderColor(QColor::fromRgba(kLooks[s].colour).darker(130));
        chart->addSeries(series);
        series->attachAxis(xAxis_);
        series->attachAxis(yAxis_);
        series_[std::size_t(s)] = series;
        connect(series, &QXYSeries::clicked, this, [this, series](const QPointF& point) {
            if (const auto position = positionOf(series, point)) emit pointClicked(int(*position));
        });
        connect(series, &QXYSeries::doubleClicked, this, [this, series](const QPointF& point) {
            if (const auto position = positionOf(series, point)) emit pointDoubleClicked(int(*position));
        });
    }
    // The points are decimated for the plot's size in pixels: a new size draws again.
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (plot.size().toSize() != drawnFor_) scheduleRedraw();
    });
    applyFonts();
    refresh();
}

void CandidateChart::setSource(const CandidateModel* model)
{
    model_ = model;
    refresh();
}

void CandidateChart::setSource(const CandidateModel* model, CandidateCloud cloud)
{
    model_ = model;
    cloud_ = std::move(cloud);
    redraw();
}

void CandidateChart::setAxis(CloudAxis axis)
{
    if (axis == axis_) return;
    axis_ = axis;
    xAxis_->setTitleText(AxisTitle(axis_));
    refresh();
}

void CandidateChart::setBand(std::optional<RaWindow> window)
{
    band_ = window;
    drawBand();
}

void CandidateChart::refresh()
{
    const CandidateList* list = model_ ? model_->list().get() : nullptr;
    if (list && model_->size() > 0)
        cloud_ = BuildCloud(*list, model_->order(), axis_);
    else
        cloud_ = CandidateCloud{};
    redraw();
}

void CandidateChart::scheduleRedraw()
{
    if (redrawPending_) return;
    redrawPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (redrawPending_) redraw();
    });
}

void CandidateChart::redraw()
{
    redrawPending_ = false;
    const std::size_t total = cloud_.count();
    const auto [xLo0, xHi0] = total ? Padded(cloud_.xMin, cloud_.xMax) : std::pair(0.0, 1.0);
    // Ra is never negative: the axis starts at 0 rather than below it.
    const auto [yLo0, yHi0] = total ? Padded(cloud_.yMin, cloud_.yMax) : std::pair(0.0, 1.0);
    // Round tick values: the axes widen to the nearest of them.
    xAxis_->setRange(xLo0, xHi0);
    yAxis_->setRange(std::max(0.0, yLo0), yHi0);
    for (QValueAxis* axis : {xAxis_, yAxis_}) {
        axis->setTickCount(6);
        axis->applyNiceNumbers();
    }
    xAxis_->setLabelFormat(axis_ == CloudAxis::Depth ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
    const double xLo = xAxis_->min(), xHi = xAxis_->max(), yLo = yAxis_->min(), yHi = yAxis_->max();

    const QRectF plot = chart()->plotArea();
    drawnFor_ = plot.size().toSize();
    CloudFrame frame;
    frame.xMin = xLo, frame.xMax = xHi, frame.yMin = yLo, frame.yMax = yHi;
    frame.columns = std::max(1, int(std::ceil(plot.width())));
    frame.rows = std::max(1, int(std::ceil(plot.height())));
    frame.cell = int(kMarkerSize);

    const CandidateList* list = total ? model_->list().get() : nullptr;
    const std::vector<std::uint32_t> none;
    const std::vector<std::uint32_t>& order = total ? model_->order() : none;
    std::vector<double> xs;
    std::vector<double> ys;
    for (int s = 0; s < kCloudSeries; ++s) {
        const std::vector<std::uint32_t>& positions = cloud_.positions[std::size_t(s)];
        std::vector<std::uint32_t>& drawn = drawn_[std::size_t(s)];
        drawn.clear();
        if (total <= kChartDrawAllUpTo) {
            drawn = positions;
        } else {
            // Coordinates gathered with the cloud are used once; otherwise from the list.
            std::vector<double>& givenXs = cloud_.xs[std::size_t(s)];
            std::vector<double>& givenYs = cloud_.ys[std::size_t(s)];
            if (givenXs.size() == positions.size() && givenYs.size() == positions.size()) {
                xs.swap(givenXs);
                ys.swap(givenYs);
            } else {
                xs.resize(positions.size());
                ys.resize(positions.size());
                for (std::size_t i = 0; i < positions.size(); ++i) {
                    xs[i] = CloudX(*list, order, positions[i], axis_);
                    ys[i] = CloudY(*list, order, positions[i]);
                }
            }
            for (std::uint32_t kept : DecimateCloud(xs, ys, frame)) drawn.push_back(positions[kept]);
        }
        QList<QPointF> points;
        points.reserve(qsizetype(drawn.size()));
        for (std::uint32_t position : drawn)
            points.append(QPointF(CloudX(*list, order, position, axis_), CloudY(*list, order, position)));
        QScatterSeries* series = series_[std::size_t(s)];
        series->replace(points);
        cloud_.xs[std::size_t(s)] = {};
        cloud_.ys[std::size_t(s)] = {};
        // A section type the list does not hold stays out of the legend.
        for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(!positions.empty());
    }

    drawBand();
}

void CandidateChart::drawBand()
{
    // The band across the whole plot, cut to the axis: a window without an upper bound
    // reaches the top.
    const double xLo = xAxis_->min(), xHi = xAxis_->max(), yLo = yAxis_->min(), yHi = yAxis_->max();
    const bool bandShows = band_ && cloud_.count() > 0 && band_->hi >= yLo && band_->lo <= yHi;
    const double bandLo = bandShows ? std::max(band_->lo, yLo) : 0;
    const double bandHi = bandShows ? std::min(band_->hi, yHi) : 0;
    bandUpper_->replace(QList<QPointF>{{xLo, bandHi}, {xHi, bandHi}});
    bandLower_->replace(QList<QPointF>{{xLo, bandLo}, {xHi, bandLo}});
    bandArea_->setVisible(bandShows);
    for (QLegendMarker* marker : chart()->legend()->markers(bandArea_)) marker->setVisible(bandShows);
}

std::optional<std::uint32_t> CandidateChart::positionOf(const QScatterSeries* series, const QPointF& point) const
{
    for (int s = 0; s < kCloudSeries; ++s) {
        if (series_[std::size_t(s)] != series) continue;
        const std::vector<std::uint32_t>& drawn = drawn_[std::size_t(s)];
        // The nearest drawn point, in plot pixels: the point a click reports is one of
        // them, but a scaled view may round it.
        std::optional<std::uint32_t> best;
        double bestDistance = 0;
        const QPointF at = chart()->mapToPosition(point, series_[std::size_t(s)]);
        for (qsizetype i = 0; i < series->count() && std::size_t(i) < drawn.size(); ++i) {
            const QPointF p = series->at(i);
            if (p == point) return drawn[std::size_t(i)];
            const QPointF d = chart()->mapToPosition(p, series_[std::size_t(s)]) - at;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (!best || distance < bestDistance) {
                best = drawn[std::size_t(i)];
                bestDistance = distance;
            }
        }
        if (best && bestDistance <= kMarkerSize * kMarkerSize) return best;
    }
    return std::nullopt;
}

QImage CandidateChart::image(qreal ratio)
{
    // A chart that is not on view has its size, but its layout and its points may wait
    // for events that only come when it is shown.
    ensurePolished();
    if (chart()->size() != QSizeF(viewport()->size())) chart()->resize(viewport()->size());
    chart()->layout()->activate();
    if (chart()->plotArea().size().toSize() != drawnFor_ || redrawPending_) redraw();
    QImage picture(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    render(&painter);
    painter.end();
    return picture;
}

bool SaveChartImage(const QImage& image, const QString& path, QString& error)
{
    KeepFileSizeLimitFromEndingProcess();
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    bool saved = file.open(QIODevice::WriteOnly);
    int errorNumber = errno;
    if (saved) {
        QImageWriter writer(&file, "png");
        errno = 0;
        saved = writer.write(image);
        errorNumber = errno;
        if (saved) {
            errno = 0;
            saved = file.commit();
            errorNumber = errno;
        } else {
            file.cancelWriting();
        }
    }
    if (!saved) error = SaveFailureMessage(path, ClassifySaveFailure(path, errorNumber), file.errorString());
    return saved;
}

void CandidateChart::changeEvent(QEvent* event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::FontChange) applyFonts();
}

void CandidateChart::applyFonts()
{
    // The chart's texts follow the view's font, which the page scales with the window.
    const QFont base = font();
    QFont small = base;
    small.setPixelSize(std::max(8, int(std::lround(QFontInfo(base).pixelSize() * 0.9))));
    for (QValueAxis* axis : {xAxis_, yAxis_}) {
        axis->setLabelsFont(small);
        axis->setTitleFont(base);
    }
    chart()->legend()->setFont(small);
}

}  // namespace rockpile
