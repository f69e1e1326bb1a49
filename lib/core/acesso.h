// Access modes of the image classes: which stored pixel a (row, column) or (x, y) pair names.
#pragma once

// Mode letters and their codes.
//   n 0  (l, c), outside gives backg      x 1  (l, c) clamped into the image
//   e 2  (l, c), outside is fatal         r 3  (l mod nl, c mod nc)
//   c 4  (l + lc, c + cc), else backg     s 5  ((l + lc) mod nl, (c + cc) mod nc)
//   N 10 (nl-1-y, x), else backg          X 11 (lc - y, cc + x) clamped
//   C 14 (lc - y, cc + x), else backg
struct POSICAO {
  int l, c;
  bool dentro;  // false: the position is outside and names the backg cell
};

// Resolves a mode; an unknown mode is fatal "Erro: Modo de acesso invalido" and mode e outside
// the image is fatal "Indice invalido". An empty image has no pixel in any mode.
POSICAO posicao(int modo, int l, int c, int nl, int nc, int lc, int cc);
