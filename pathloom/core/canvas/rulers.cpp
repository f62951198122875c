// Ruler tiers and their labels by zoom.
#include "core/canvas/rulers.h"

#include <algorithm>
#include <cmath>

namespace pathloom::canvas {
namespace {

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

}  // namespace

std::vector<RulerTick> rulerTicks(double originPixel, double zoom, int growth, int length) {
    std::vector<RulerTick> ticks;
    if (!(zoom > 0) || length <= 0) return ticks;
    const double perUnit = zoom * growth;
    const double a = (0 - originPixel) / perUnit, b = (length - originPixel) / perUnit;
    const double low = std::min(a, b), high = std::max(a, b);
    const int thousandStep = thousandLabelStep(zoom);
    const Tier tiers[] = {{1000, 5, true, false},
                          {500, 11, zoom > 0.016, zoom > 0.128},
                          {100, 17, zoom > 0.032, zoom > 0.64}};
    for (const Tier& tier : tiers) {
        if (!tier.shown) continue;
        if (tier.step * zoom < 1) {
            // Denser than the pixels (only the thousands get here): a tick lands on every pixel,
            // and none is labelled at such a zoom.
            for (int pixel = 0; pixel <= length; ++pixel)
                ticks.push_back({static_cast<double>(pixel), 0, tier.from, 24, false});
            continue;
        }
        const long long first = static_cast<long long>(std::floor(low / tier.step));
        const long long last = static_cast<long long>(std::ceil(high / tier.step));
        for (long long i = first; i <= last; ++i) {
            const long long value = i * tier.step;
            if (!ownTick(value, tier.step)) continue;
            RulerTick tick{originPixel + static_cast<double>(value) * perUnit, value, tier.from, 24,
                           tier.labelled};
            if (tier.step == 1000)
                tick.labelled = thousandStep > 0 && (value / 1000) % thousandStep == 0;
            if (tick.pixel >= 0 && tick.pixel <= length) ticks.push_back(tick);
        }
    }
    return ticks;
}

}  // namespace pathloom::canvas
