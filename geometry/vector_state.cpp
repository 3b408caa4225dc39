#include "vector_state.h"

namespace vantorel {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

namespace {
__attribute__((target("avx"))) void zeroUpper() { __builtin_ia32_vzeroupper(); }
}  // namespace

void clearUpperVectorState() {
  if (__builtin_cpu_supports("avx")) zeroUpper();
}

#else

void clearUpperVectorState() {}

#endif

}  // namespace vantorel
