// A C++ host of the installed library: walks a chain through lintrel.hpp, owns it with a
// ChainOwner and measures its travel through an extension export.
#include <lintrel/lintrel.hpp>

#include <cmath>
#include <cstdio>

int main() {
    lintrel::ChainOwner<Vect> vects;
    for (int i = 0; i < 3; ++i) {
        Vect* v = VarnixCad3_NewVect();
        v->segs = VarnixCad3_NewSeg();
        v->segs->x0 = v->segs->x1 = 10.0 * (i + 1);
        v->segs->y1 = 5;
        vects.append(v);
    }
    int count = 0;
    for (const Vect* v : lintrel::ring(static_cast<const Vect*>(vects.get())))
        count += lintrel::ringCount(v->segs);
    double travel = 0;
    if (count != 3 || VarnixCad3_GetTravelLength(vects.get(), &travel) != LINTREL_OK) return 1;
    // Up to (10,0); (10,5) to (20,0); (20,5) to (30,0); back from (30,5).
    const double expected = 10 + 2 * std::sqrt(125.0) + std::sqrt(925.0);
    if (std::fabs(travel - expected) > 1e-9) return 2;
    std::printf("C++ host: %d vects, travel %.3f\n", count, travel);
    return 0;
}
