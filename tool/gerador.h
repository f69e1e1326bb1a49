// The seeded generator both modes draw from: sign and verify must see the same sequence.
#pragma once

#include <cstdint>

// Process-wide state, kept XOR-ed with the mask. Its start value is the one semeia(7) leaves.
extern int32_t gerador;

// Seeds gerador with x.
void semeia(int x);

// Advances gerador and returns the new value, in 0 .. 2147483646.
int sorteia();
