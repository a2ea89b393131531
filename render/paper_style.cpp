#include "paper_style.h"


bool has_arctic_circle(const FigureGeometry& geometry) {
    return !geometry.dominoes.empty() && geometry.dominoes.front().compass != Compass::none;
}

unsigned long long square_root(unsigned long long n) {
    unsigned long long x = 0;
    for (unsigned long long bit = 1ULL << 62; bit != 0; bit >>= 2) {
        if (n >= x + bit) {
            n -= x + bit;
            x = (x >> 1) + bit;
        } else {
            x >>= 1;
        }
    }
    return x;
}

Circle arctic_circle(const FigureGeometry& geometry) {
    // The diamond's four tips are the middles of its bounding square's
    // sides; its sides run between them, at half / sqrt 2 from the centre.
    const long long half = geometry.columns / 2;
    return {8LL * geometry.columns, 8LL * geometry.rows,
            static_cast<long long>(square_root(static_cast<unsigned long long>(half * half) *
                                               50000000ULL))};
}
