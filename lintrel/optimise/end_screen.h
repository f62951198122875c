// Single-precision copies of the vects' end points, laid out for wide comparisons, so that the
// nearest-neighbour scan can pass over the many vects that cannot be its next improvement
// without computing their exact distances.
//
// The screen is conservative: a position it passes over is surely farther than the reach by
// the exact double-precision distance; a position it stops at is decided on the exact distance
// by the caller. Drawings whose coordinates do not fit single precision are not screened.
#pragma once

#include <limits>
#include <vector>

#include "model/geometry.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
// The 256-bit lanes, compiled for the functions that use them alone and chosen at run time.
// Without fused multiply-adds: the exact distances of a scan compiled for these lanes must
// round as everywhere else.
#define LINTREL_WIDE_SCREEN 1
#define LINTREL_AVX2 __attribute__((target("avx2")))
#endif

namespace lintrel {

class EndScreen {
  public:
    // How many comparisons run at once: the widest the processor offers, four, or one.
    enum class Lanes { Widest, Four, One };

    // `largest` bounds the magnitude of every coordinate that will be loaded.
    EndScreen(int size, double largest, Lanes lanes = Lanes::Widest);

    // A position that does not take part is never offered.
    void load(int position, Point start, Point end, bool takesPart);
    void swap(int a, int b);
    // Exchanges the start and end at `position` when `turn` is set.
    void turn(int position, bool turn);
    // The arrays themselves, for a loop that writes many positions: it keeps their addresses
    // in registers.
    struct Columns {
        float *sx, *sy, *ex, *ey;
        void put(int position, Point start, Point end) const {
            sx[position] = static_cast<float>(start.x);
            sy[position] = static_cast<float>(start.y);
            ex[position] = static_cast<float>(end.x);
            ey[position] = static_cast<float>(end.y);
        }
    };
    Columns columns() { return {sx_.data(), sy_.data(), ex_.data(), ey_.data()}; }

    // A reference point prepared for many searches. When coordinates are too large (or not
    // numbers) for single precision, nothing is screened and every position is offered.
    struct Probe {
        float x = 0, y = 0;
        double slack = 0;  // bound on the error of a single-precision distance
        bool screened = false;
    };
    Probe probe(Point reference) const;

    // Positions that may lie within reach: bit k of `mask` stands for position `at + k`.
    struct Hits {
        int at = 0;
        unsigned mask = 0;
    };
    // The first block of sixteen positions from `from` on holding a position below `to` whose
    // start (and with `eitherEnd` whose end) may lie closer to the probe's point than `reach`,
    // with all such positions of the block; a mask of 0 when surely none does.
    Hits nextWithin(const Probe& probe, int from, int to, double reach, bool eitherEnd) const {
        if (from >= to) return {to, 0};
        if (!probe.screened) return below(from, to, 0xFFFF);
        return (eitherEnd ? scanEither_ : scanStarts_)(block(probe, reach), from, to);
    }

#ifdef LINTREL_WIDE_SCREEN
    // True when `nextWithin` compares in 256-bit lanes: a caller compiled for them may then
    // search with `nextWithinWide`, inlined, for the same answers.
    bool wide() const {
        return wide_;
    }
    template <bool EitherEnd>
    LINTREL_AVX2 Hits nextWithinWide(const Probe& probe, int from, int to, double reach) const {
        if (from >= to) return {to, 0};
        if (!probe.screened) return below(from, to, 0xFFFF);
        return scanWide<EitherEnd>(block(probe, reach), from, to);
    }
#endif

    // The arrays and one search's point and bound on the squared distance.
    struct Block {
        const float *sx, *sy, *ex, *ey;
        float rx, ry, bound;
    };

    // The positions of [p, p + 16) below `to` in `mask`, as hits; none when it holds none.
    static Hits below(int p, int to, unsigned mask) {
        if (to - p < 16) mask &= (1u << (to - p)) - 1;
        return mask ? Hits{p, mask} : Hits{to, 0};
    }

#ifdef LINTREL_WIDE_SCREEN
    // Sixteen positions per step in 256-bit lanes.
    template <bool EitherEnd>
    [[gnu::always_inline]] LINTREL_AVX2 static inline Hits scanWide(const Block& a, int from,
                                                                    int to) {
        const __m256 rx = _mm256_set1_ps(a.rx), ry = _mm256_set1_ps(a.ry);
        const __m256 bound = _mm256_set1_ps(a.bound);
        const auto hits = [&](const float* xs, const float* ys, int p) LINTREL_AVX2 {
            const __m256 dx0 = _mm256_sub_ps(rx, _mm256_loadu_ps(xs + p));
            const __m256 dy0 = _mm256_sub_ps(ry, _mm256_loadu_ps(ys + p));
            const __m256 dx1 = _mm256_sub_ps(rx, _mm256_loadu_ps(xs + p + 8));
            const __m256 dy1 = _mm256_sub_ps(ry, _mm256_loadu_ps(ys + p + 8));
            const __m256 d0 = _mm256_add_ps(_mm256_mul_ps(dx0, dx0), _mm256_mul_ps(dy0, dy0));
            const __m256 d1 = _mm256_add_ps(_mm256_mul_ps(dx1, dx1), _mm256_mul_ps(dy1, dy1));
            return _mm256_movemask_ps(_mm256_cmp_ps(d0, bound, _CMP_LT_OQ)) |
                   _mm256_movemask_ps(_mm256_cmp_ps(d1, bound, _CMP_LT_OQ)) << 8;
        };
        for (int p = from; p < to; p += 16) {
            int mask = hits(a.sx, a.sy, p);
            if (EitherEnd) mask |= hits(a.ex, a.ey, p);
            if (mask) return below(p, to, static_cast<unsigned>(mask));
        }
        return {to, 0};
    }
#endif

  private:
    // The arrays, the probe's point and the bound on the squared single-precision distance
    // for `reach`: widened by the probe's slack, and again for its own rounding.
    Block block(const Probe& probe, double reach) const {
        const double widened = (reach + probe.slack) * (reach + probe.slack) * (1 + 1e-5);
        return {
            sx_.data(),
            sy_.data(),
            ex_.data(),
            ey_.data(),
            probe.x,
            probe.y,
            widened < 3e38 ? static_cast<float>(widened) : std::numeric_limits<float>::infinity()};
    }

    using Scan = Hits (*)(const Block&, int, int);
    static constexpr int kPad = 16;  // the wide loops read whole blocks past the end
    Scan scanStarts_, scanEither_;
    std::vector<float> sx_, sy_, ex_, ey_;
    double largest_;
    bool usable_;
    bool wide_ = false;
};

}  // namespace lintrel
