#pragma once
// Marks a function whose loops the compiler turns into vector code: on x86-64 it is built three times,
// for AVX-512, for AVX2 and for the baseline, and the program picks the one the processor can run.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define PIXMURA_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define PIXMURA_VECTOR_CLONES
#endif
