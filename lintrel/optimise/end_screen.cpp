// The end screen's comparison in three widths: AVX2 where the processor has it (compiled for
// that function alone and chosen at run time), SSE (the x86-64 baseline; on 32-bit x86 compiled
// for its functions alone and chosen at run time too), and plain code.
#include "optimise/end_screen.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

// 32-bit x86 builds for processors without SSE; only the SSE functions are compiled with it.
#if defined(__i386__) && !defined(__SSE__)
#define LINTREL_SSE_TARGET __attribute__((target("sse")))
#else
#define LINTREL_SSE_TARGET
#endif

namespace lintrel {

namespace {

using ScreenArgs = EndScreen::Block;

constexpr float kNever = std::numeric_limits<float>::quiet_NaN();  // compares false

template <bool EitherEnd>
EndScreen::Hits scanPlain(const ScreenArgs& a, int from, int to) {
    const auto within = [&](const float* xs, const float* ys, int p) {
        const float dx = a.rx - xs[p], dy = a.ry - ys[p];
        return dx * dx + dy * dy < a.bound;
    };
    for (int p = from; p < to; p += 16) {
        unsigned mask = 0;
        for (int k = 0; k < 16; ++k)
            if (within(a.sx, a.sy, p + k) || (EitherEnd && within(a.ex, a.ey, p + k)))
                mask |= 1u << k;
        if (mask) return EndScreen::below(p, to, mask);
    }
    return {to, 0};
}

#ifdef LINTREL_WIDE_SCREEN

// Walks blocks of sixteen positions; `hits` gives the mask of those that may be within reach.
// Inlined into each caller, so that it runs with the caller's lanes.
template <bool EitherEnd, class Hits>
[[gnu::always_inline]] inline EndScreen::Hits firstHit(const ScreenArgs& a, int from, int to,
                                                       const Hits& hits) {
    for (int p = from; p < to; p += 16) {
        int mask = hits(a.sx, a.sy, p);
        if (EitherEnd) mask |= hits(a.ex, a.ey, p);
        if (mask) return EndScreen::below(p, to, static_cast<unsigned>(mask));
    }
    return {to, 0};
}

// Sixteen positions per step with 128-bit lanes (every x86-64 processor has them).
template <bool EitherEnd>
LINTREL_SSE_TARGET EndScreen::Hits scanSse(const ScreenArgs& a, int from, int to) {
    const __m128 rx = _mm_set1_ps(a.rx), ry = _mm_set1_ps(a.ry), bound = _mm_set1_ps(a.bound);
    const auto hits = [&](const float* xs, const float* ys, int p) LINTREL_SSE_TARGET {
        int mask = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128 dx = _mm_sub_ps(rx, _mm_loadu_ps(xs + p + 4 * k));
            const __m128 dy = _mm_sub_ps(ry, _mm_loadu_ps(ys + p + 4 * k));
            const __m128 d = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
            mask |= _mm_movemask_ps(_mm_cmplt_ps(d, bound)) << (4 * k);
        }
        return mask;
    };
    return firstHit<EitherEnd>(a, from, to, hits);
}

// The same with 256-bit lanes where the processor has them.
template <bool EitherEnd>
LINTREL_AVX2 EndScreen::Hits scanAvx2(const ScreenArgs& a, int from, int to) {
    return EndScreen::scanWide<EitherEnd>(a, from, to);
}

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

bool hasSse() {
#ifdef __SSE__
    return true;
#else
    static const bool has = __builtin_cpu_supports("sse");
    return has;
#endif
}

#endif

}  // namespace

EndScreen::EndScreen(int size, double largest, Lanes lanes)
    : scanStarts_(scanPlain<false>),
      scanEither_(scanPlain<true>),
      sx_(size + kPad, kNever),
      sy_(size + kPad, kNever),
      ex_(size + kPad, kNever),
      ey_(size + kPad, kNever),
      largest_(largest),
      // Squared distances must stay finite in single precision.
      usable_(largest < 1e15) {
#ifdef LINTREL_WIDE_SCREEN
    if (lanes == Lanes::Widest && hasAvx2()) {
        wide_ = true;
        scanStarts_ = scanAvx2<false>;
        scanEither_ = scanAvx2<true>;
    } else if (lanes != Lanes::One && hasSse()) {
        scanStarts_ = scanSse<false>;
        scanEither_ = scanSse<true>;
    }
#else
    (void)lanes;
#endif
}

void EndScreen::load(int position, Point start, Point end, bool takesPart) {
    const auto f = [&](double v) { return takesPart ? static_cast<float>(v) : kNever; };
    sx_[position] = f(start.x);
    sy_[position] = f(start.y);
    ex_[position] = f(end.x);
    ey_[position] = f(end.y);
}

void EndScreen::swap(int a, int b) {
    std::swap(sx_[a], sx_[b]);
    std::swap(sy_[a], sy_[b]);
    std::swap(ex_[a], ex_[b]);
    std::swap(ey_[a], ey_[b]);
}

void EndScreen::turn(int position, bool turn) {
    const float sx = sx_[position], sy = sy_[position], ex = ex_[position], ey = ey_[position];
    sx_[position] = turn ? ex : sx;
    sy_[position] = turn ? ey : sy;
    ex_[position] = turn ? sx : ex;
    ey_[position] = turn ? sy : ey;
}

EndScreen::Probe EndScreen::probe(Point reference) const {
    Probe p;
    p.x = static_cast<float>(reference.x);
    p.y = static_cast<float>(reference.y);
    // Rounding a coordinate to single precision moves it by at most 2^-24 of its magnitude;
    // the difference and the squares add a few such steps. Sixteen of them bound the error
    // of the single-precision distance.
    const double magnitude =
        std::max(largest_, std::max(std::fabs(reference.x), std::fabs(reference.y)));
    p.screened =
        usable_ && magnitude < 1e15 && std::isfinite(reference.x) && std::isfinite(reference.y);
    p.slack = 16 * magnitude * 0x1p-24;
    return p;
}

}  // namespace lintrel
