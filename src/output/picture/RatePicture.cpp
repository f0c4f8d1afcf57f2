#include "output/picture/RatePicture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "output/picture/PictureStyle.h"
#include "radio/DateTime.h"

namespace mss::output {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

QString HourText(log::LogInstant start) {
    return QString::fromStdString(
        radio::TimeToText("hh", static_cast<std::int32_t>(start % kSecondsPerDay)));
}

QString DayHourText(log::LogInstant start) {
    const radio::CalendarDate date =
        radio::DayMonthYear(static_cast<std::int32_t>(start / kSecondsPerDay));
    return QString::fromStdString(
               radio::TimeToText("hh:mm", static_cast<std::int32_t>(start % kSecondsPerDay))) +
           QStringLiteral(" UTC (%1.%2.)")
               .arg(date.day, 2, 10, QLatin1Char('0'))
               .arg(date.month, 2, 10, QLatin1Char('0'));
}

// A scale's top: the next of 2, 4, 6, 8 or 10 times a power of ten at or
// above `value`, at least 2, so that its middle tick is a whole number too.
double NiceTop(double value) {
    if (value <= 2) return 2;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {2.0, 4.0, 6.0, 8.0, 10.0})
        if (step * power >= value) return step * power;
    return 10 * power;
}

// A chart's plot area inside `rect`, leaving room for its title and axes.
QRectF PlotArea(const QRectF& rect, double unit) {
    return rect.adjusted(unit * 5, unit * 3, -unit, -unit * 2.5);
}

void PaintFrame(QPainter& p, const QRectF& rect, const QRectF& plot, double unit,
                const QString& title, double top, const std::function<QString(double)>& tick) {
    p.setPen(Qt::black);
    p.setFont(PictureFont(unit * 1.6, true));
    p.drawText(QRectF(rect.left(), rect.top(), rect.width(), unit * 2.5),
               Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setFont(PictureFont(unit * 1.2));
    for (int i = 0; i <= 2; ++i) {
        const double y = plot.bottom() - plot.height() * i / 2;
        p.setPen(QPen(QColor(215, 215, 215), 0.8));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QColor(60, 60, 60));
        p.drawText(QRectF(rect.left(), y - unit, unit * 4.6, unit * 2),
                   Qt::AlignRight | Qt::AlignVCenter, tick(top * i / 2));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
}

struct Bars {
    QString title;
    std::vector<double> values;
    std::function<QString(std::size_t)> label;  // empty: no label under that bar
    QColor colour;
    std::optional<std::size_t> marked;  // painted darker
};

void PaintBars(QPainter& p, const QRectF& rect, double unit, const Bars& bars) {
    const QRectF plot = PlotArea(rect, unit);
    const double top = NiceTop(
        bars.values.empty() ? 0 : *std::max_element(bars.values.begin(), bars.values.end()));
    PaintFrame(p, rect, plot, unit, bars.title, top,
               [](double v) { return GroupedNumber(std::llround(v)); });
    if (bars.values.empty()) return;
    // A few bars stay slim rather than filling the chart.
    const double width = std::min(plot.width() / static_cast<double>(bars.values.size()), unit * 5);
    for (std::size_t i = 0; i < bars.values.size(); ++i) {
        const double height = plot.height() * bars.values[i] / top;
        const QRectF bar(plot.left() + width * i + width * 0.1, plot.bottom() - height, width * 0.8,
                         height);
        p.fillRect(bar, bars.marked == i ? bars.colour.darker(160) : bars.colour);
        const QString label = bars.label(i);
        if (label.isEmpty()) continue;
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRectF(plot.left() + width * i - unit * 2, plot.bottom() + unit * 0.2,
                          width + unit * 4, unit * 2),
                   Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

// Shows every n-th label so that they never overlap.
std::size_t LabelEvery(std::size_t count, double plotWidth, double unit) {
    const auto fit = static_cast<std::size_t>(std::max(1.0, plotWidth / (unit * 3.2)));
    return std::max<std::size_t>(1, (count + fit - 1) / fit);
}

void PaintHours(QPainter& p, const QRectF& rect, double unit, const log::LogStatistics& s) {
    Bars bars{QStringLiteral("QSOs pro Stunde (UTC)"), {}, {}, QColor(60, 110, 170), s.bestHour};
    for (const log::HourCount& hour : s.hours) bars.values.push_back(hour.contacts);
    const std::size_t every = LabelEvery(s.hours.size(), PlotArea(rect, unit).width(), unit);
    bars.label = [&s, every](std::size_t i) {
        return i % every == 0 ? HourText(s.hours[i].start) : QString();
    };
    PaintBars(p, rect, unit, bars);
}

void PaintDistances(QPainter& p, const QRectF& rect, double unit, const log::LogStatistics& s) {
    Bars bars{QStringLiteral("Entfernungen (100-km-Schritte)"), {}, {}, QColor(70, 140, 100), {}};
    for (const std::int32_t count : s.distanceSteps) bars.values.push_back(count);
    const std::size_t every =
        LabelEvery(s.distanceSteps.size(), PlotArea(rect, unit).width(), unit * 1.6);
    bars.label = [every](std::size_t i) {
        return i % every == 0 ? QString::number(i * log::kDistanceStepKm) : QString();
    };
    PaintBars(p, rect, unit, bars);
}

void PaintRunningScore(QPainter& p, const QRectF& rect, double unit, const log::LogStatistics& s) {
    const QRectF plot = PlotArea(rect, unit);
    const double top =
        NiceTop(s.runningScore.empty() ? 0 : static_cast<double>(s.runningScore.back().score));
    PaintFrame(p, rect, plot, unit, QStringLiteral("Punkte im Verlauf"), top,
               [](double v) { return GroupedNumber(std::llround(v)); });
    if (s.hours.empty()) return;
    const double from = static_cast<double>(s.hours.front().start);
    const double span = static_cast<double>(s.hours.back().start + 3600) - from;
    auto at = [&](log::LogInstant t, std::int64_t score) {
        return QPointF(plot.left() + plot.width() * (static_cast<double>(t) - from) / span,
                       plot.bottom() - plot.height() * static_cast<double>(score) / top);
    };
    p.setPen(QColor(40, 40, 40));
    const std::size_t every = LabelEvery(s.hours.size() + 1, plot.width(), unit);
    for (std::size_t i = 0; i <= s.hours.size(); i += every) {
        const log::LogInstant hour = s.hours.front().start + static_cast<log::LogInstant>(i) * 3600;
        const double x = at(hour, 0).x();
        p.drawText(QRectF(x - unit * 3, plot.bottom() + unit * 0.2, unit * 6, unit * 2),
                   Qt::AlignHCenter | Qt::AlignTop, HourText(hour));
    }
    QPainterPath path(at(s.hours.front().start, 0));
    for (const log::ScoreStep& step : s.runningScore) {
        // The score is a step: it stays until the next contact.
        path.lineTo(at(step.at, 0).x(), path.currentPosition().y());
        path.lineTo(at(step.at, step.score));
    }
    p.setPen(QPen(QColor(170, 50, 30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QStringList Figures(const log::LogStatistics& s) {
    QStringList lines;
    lines << QStringLiteral("QSOs: %1    Punkte: %2")
                 .arg(GroupedNumber(s.contacts), GroupedNumber(s.points));
    if (s.bestHour) {
        const log::HourCount& best = s.hours[*s.bestHour];
        lines << QStringLiteral("Beste Stunde: %1 mit %2 QSOs")
                     .arg(DayHourText(best.start))
                     .arg(best.contacts);
    }
    if (s.longest) {
        lines << QStringLiteral("L\u00E4ngste Verbindung: %1 %2 %3 km")
                     .arg(PictureText(s.longest->call), PictureText(s.longest->locator),
                          GroupedNumber(s.longest->km));
        lines << QStringLiteral("Mittlere Entfernung: %1 km")
                     .arg(GroupedNumber(std::llround(s.averageKm)));
    }
    if (s.undated > 0 || s.withoutLocator > 0)
        lines << QStringLiteral("Ohne Zeit: %1    ohne Locator: %2")
                     .arg(s.undated)
                     .arg(s.withoutLocator);
    return lines;
}

}  // namespace

void PaintRates(QPainter& painter, const QRectF& area, const log::LogStatistics& statistics) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const double unit = std::max(4.0, std::min(area.width(), area.height() * 0.8) / 70);
    const double figuresHeight = unit * 11;
    const double chartHeight = (area.height() - figuresHeight - unit) / 3;
    const double x = area.left() + unit;
    const double width = area.width() - 2 * unit;
    double y = area.top() + unit;
    PaintHours(painter, QRectF(x, y, width, chartHeight), unit, statistics);
    y += chartHeight;
    PaintDistances(painter, QRectF(x, y, width, chartHeight), unit, statistics);
    y += chartHeight;
    PaintRunningScore(painter, QRectF(x, y, width, chartHeight), unit, statistics);
    y += chartHeight;
    painter.setPen(Qt::black);
    painter.setFont(PictureFont(unit * 1.6));
    for (const QString& line : Figures(statistics)) {
        painter.drawText(QRectF(x, y, width, unit * 2.2), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += unit * 2.2;
    }
    painter.restore();
}

}  // namespace mss::output
