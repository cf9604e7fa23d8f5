#pragma once

namespace trajel {

// Clears the upper halves of the AVX registers. Code of the toolkit or of the system
// may leave them dirty; the arithmetic here is plain SSE, and while they are dirty each
// of its instructions waits on the whole register, which makes the long loops (the
// burn's integration, a redraw's trigonometry) several times slower.
inline void liberer_registres_etendus() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) {
        asm volatile("vzeroupper" ::: "memory");
    }
#endif
}

} // namespace trajel
