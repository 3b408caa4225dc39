#pragma once

namespace vantorel {

// Qt leaves the upper halves of the AVX registers in use after some of its
// string and hash code (adding a command-line parser's options is enough),
// and until they are cleared every SSE instruction of the calculations, of
// ERFA's series and of the C library's sines and cosines waits on them: a
// year's sun outage took four times as long after Qt had run. buildJob, where
// every face hands its numbers over, calls this first; it costs one
// instruction where the processor has AVX and nothing where it has not.
void clearUpperVectorState();

}  // namespace vantorel
