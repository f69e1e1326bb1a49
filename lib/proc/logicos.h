// Pixelwise logical operators on IMGBIN images of equal size (fatal otherwise). The result has
// the operands' size and the default centre; its backg combines theirs by the same rule.
#pragma once

#include "../core/imgbin.h"

// True where the operands differ.
IMGBIN operator^(const IMGBIN& a, const IMGBIN& b);

// White where either operand is white.
IMGBIN operator||(const IMGBIN& a, const IMGBIN& b);
