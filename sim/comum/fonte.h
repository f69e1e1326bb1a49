// A blocky bitmap font for synthetic pages: 5 x 9 cells (7 rows down to the baseline, 2 for
// descenders), upper and lower case letters, digits and a little punctuation. Each glyph pixel
// is drawn as a square module of s x s image pixels.
#pragma once

#include <string>

#include "core/imagens.h"

constexpr int GLIFOLARG = 5;  // glyph columns
constexpr int GLIFOALT = 9;   // glyph rows, descenders included

// Advance of one character; bold glyphs are widened by half a module.
int avanco(int s, bool negrito);
// Width of text when drawn with module s.
int larguratexto(const std::string& t, int s, bool negrito);
// Draws t with the top of its cells at row l and its left edge at column c, in colour cor
// (true = white); characters without a glyph leave a blank cell. Returns the width drawn.
int escrevetexto(IMGBIN& img, int l, int c, const std::string& t, int s, bool negrito, bool cor);
