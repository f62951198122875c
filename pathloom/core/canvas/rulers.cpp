// Ruler tiers and their labels by zoom, the added 1-2-5 ticks, and the labels' room.
#include "core/canvas/rulers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pathloom::canvas {
namespace {

constexpr int kLabelOffset = 2;  // pixels between a tick and its label
constexpr int kLabelGap = 6;     // pixels kept clear between two labels
constexpr int kAddedFrom = 8;    // extent of the added ticks across the ruler

// Which multiples of 1000 carry a label at this zoom: every one, every second, third or fifth,
// or none (0).
int thousandLabelStep(double zoom) {
    if (zoom > 0.064) return 1;
    if (zoom > 0.032) return 2;
    if (zoom > 0.016) return 3;
    if (zoom > 0.008) return 5;
    return 0;
}

struct Tier {
    long long step;
    int from;
    bool shown;
    bool labelled;
};

// A tier of this tier's own multiples that no coarser tier claims.
bool ownTick(long long value, long long step) {
    if (step == 1000) return true;
    if (step == 500) return value % 1000 != 0;
    return value % 500 != 0;
}

struct Span {
    double low, high;  // drawing units seen between the ruler's start and its length
};

Span visibleSpan(const RulerLayout& r) {
    const double perUnit = r.zoom * r.growth;
    const double a = (r.start - r.originPixel) / perUnit, b = (r.length - r.originPixel) / perUnit;
    return {std::min(a, b), std::max(a, b)};
}

// Decimals a label of this step needs: none from 1 up, one for 0.5 to 0.1, and so on.
int decimalsFor(double step) {
    if (step >= 1) return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 15);
}

std::string labelOf(double value, int decimals) {
    char buffer[64];
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;  // no "-0"
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

double labelWidth(const std::string& label, double charWidth) {
    return static_cast<double>(label.size()) * charWidth;
}

// The pixels a label covers along the ruler: after the tick along x, above it (turned) along y,
// moved back inside the ruler where it would run past an end.
Span labelSpan(const RulerLayout& r, const RulerTick& tick, double width) {
    double low = r.growth > 0 ? tick.pixel + kLabelOffset : tick.pixel - kLabelOffset - width;
    low = std::max(static_cast<double>(r.start), std::min(low, r.length - width));
    return {low, low + width};
}

// The tiers of 1000, 500 and 100 units, as the ruler has always shown them.
void addTiers(const RulerLayout& r, const Span& seen, std::vector<RulerTick>& ticks) {
    const int thousandStep = thousandLabelStep(r.zoom);
    const Tier tiers[] = {{1000, 5, true, false},
                          {500, 11, r.zoom > 0.016, r.zoom > 0.128},
                          {100, 17, r.zoom > 0.032, r.zoom > 0.64}};
    for (const Tier& tier : tiers) {
        if (!tier.shown) continue;
        if (tier.step * r.zoom < 1) {
            // Denser than the pixels (only the thousands get here): a tick lands on every pixel,
            // and none is labelled at such a zoom.
            for (int pixel = r.start; pixel <= r.length; ++pixel)
                ticks.push_back({static_cast<double>(pixel), 0, tier.from, 24, {}});
            continue;
        }
        const long long first = static_cast<long long>(std::floor(seen.low / tier.step));
        const long long last = static_cast<long long>(std::ceil(seen.high / tier.step));
        for (long long i = first; i <= last; ++i) {
            const long long value = i * tier.step;
            if (!ownTick(value, tier.step)) continue;
            const double pixel = r.originPixel + static_cast<double>(value) * r.zoom * r.growth;
            if (pixel < r.start || pixel > r.length) continue;
            bool labelled = tier.labelled;
            if (tier.step == 1000)
                labelled = thousandStep > 0 && (value / 1000) % thousandStep == 0;
            ticks.push_back({pixel, static_cast<double>(value), tier.from, 24,
                             labelled ? labelOf(static_cast<double>(value), 0) : std::string()});
        }
    }
}

// Places the labels inside the ruler and drops those that would touch the label before them.
void fitLabels(const RulerLayout& r, std::vector<RulerTick>& ticks) {
    std::vector<RulerTick*> labelled;
    for (RulerTick& tick : ticks)
        if (!tick.label.empty()) labelled.push_back(&tick);
    std::sort(labelled.begin(), labelled.end(), [&](const RulerTick* a, const RulerTick* b) {
        return r.growth > 0 ? a->pixel < b->pixel : a->pixel > b->pixel;
    });
    bool any = false;
    double edge = 0;  // where the last kept label ends, in reading direction
    for (RulerTick* tick : labelled) {
        const double width = labelWidth(tick->label, r.charWidth);
        const Span span = labelSpan(r, *tick, width);
        const bool fits = width <= r.length - r.start;
        const bool clear =
            !any || (r.growth > 0 ? span.low >= edge + kLabelGap : span.high <= edge - kLabelGap);
        if (!fits || !clear) {
            tick->label.clear();
            continue;
        }
        any = true;
        edge = r.growth > 0 ? span.high : span.low;
        tick->labelPixel = r.growth > 0 ? span.low : span.high;
    }
}

size_t labelCount(const std::vector<RulerTick>& ticks) {
    return static_cast<size_t>(std::count_if(ticks.begin(), ticks.end(),
                                             [](const RulerTick& t) { return !t.label.empty(); }));
}

}  // namespace

double rulerStep(const RulerLayout& r) {
    const Span seen = visibleSpan(r);
    const double widest = std::max(std::fabs(seen.low), std::fabs(seen.high));
    // From the step whose ticks lie a few pixels apart upwards; 60 candidates span 20 decades.
    double decade = std::pow(10.0, std::floor(std::log10(kLabelGap / r.zoom)));
    for (int i = 0; i < 60; ++i) {
        const double step = decade * (i % 3 == 0 ? 1 : i % 3 == 1 ? 2 : 5);
        if (i % 3 == 2) decade *= 10;
        const int decimals = decimalsFor(step);
        const double room = std::max(labelWidth(labelOf(-widest, decimals), r.charWidth),
                                     labelWidth(labelOf(widest, decimals), r.charWidth));
        if (step * r.zoom >= room + kLabelOffset + kLabelGap) return step;
    }
    return decade;
}

std::vector<RulerTick> rulerTicks(const RulerLayout& r) {
    std::vector<RulerTick> ticks;
    if (!(r.zoom > 0) || !std::isfinite(r.zoom) || r.length <= r.start) return ticks;
    const Span seen = visibleSpan(r);
    addTiers(r, seen, ticks);
    fitLabels(r, ticks);
    if (labelCount(ticks) >= kMinRulerLabels) return ticks;

    // Too few labels: ticks of a 1-2-5 step join the tiers, and a tier tick on the same value
    // takes the label instead of a second stroke.
    const double step = rulerStep(r);
    const int decimals = decimalsFor(step);
    const long long first = static_cast<long long>(std::ceil(seen.low / step));
    const long long last = static_cast<long long>(std::floor(seen.high / step));
    for (long long i = first; i <= last; ++i) {
        const double value = static_cast<double>(i) * step;
        const double pixel = r.originPixel + value * r.zoom * r.growth;
        if (pixel < r.start || pixel > r.length) continue;
        auto same = std::find_if(ticks.begin(), ticks.end(), [&](const RulerTick& t) {
            return std::fabs(t.pixel - pixel) < 0.5;
        });
        if (same == ticks.end()) {
            ticks.push_back({pixel, value, kAddedFrom, 24, labelOf(value, decimals)});
        } else if (same->label.empty()) {
            same->label = labelOf(value, decimals);
        }
    }
    fitLabels(r, ticks);
    return ticks;
}

}  // namespace pathloom::canvas
