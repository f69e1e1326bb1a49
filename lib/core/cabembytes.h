// Whether an open binary stream still holds a number of bytes, so that a reader can refuse a
// size taken from a header before allocating anything for it.
#pragma once

#include <cstdio>

// False when the rest of a seekable stream is shorter than k bytes; the position is kept.
// A stream that cannot tell its length passes (the read itself then finds the end).
bool cabembytes(FILE* f, long long k);
