#include "homografia.h"

#include <algorithm>
#include <cmath>

#include "interpolacao.h"

namespace {

// Solves a x = b for 8 unknowns by elimination with partial pivoting; false when singular.
bool resolve8(double a[8][9]) {
  for (int k = 0; k < 8; k++) {
    int p = k;
    for (int i = k + 1; i < 8; i++)
      if (std::fabs(a[i][k]) > std::fabs(a[p][k])) p = i;
    if (std::fabs(a[p][k]) < 1e-12) return false;
    std::swap(a[k], a[p]);
    for (int i = 0; i < 8; i++) {
      if (i == k) continue;
      const double f = a[i][k] / a[k][k];
      for (int j = k; j < 9; j++) a[i][j] -= f * a[k][j];
    }
  }
  for (int k = 0; k < 8; k++) a[k][8] /= a[k][k];
  return true;
}

// Twice the signed area of triangle abc: zero when the three lie on a line.
double area2(const PONTO2& a, const PONTO2& b, const PONTO2& c) {
  return (b.l - a.l) * (c.c - a.c) - (b.c - a.c) * (c.l - a.l);
}

bool tresalinhados(const PONTO2 p[4]) {
  double escala = 0;
  for (int k = 0; k < 4; k++) escala = std::max({escala, std::fabs(p[k].l), std::fabs(p[k].c)});
  const double tol = 1e-9 * std::max(escala * escala, 1.0);
  for (int k = 0; k < 4; k++)
    if (std::fabs(area2(p[k], p[(k + 1) % 4], p[(k + 2) % 4])) <= tol) return true;
  return false;
}

}  // namespace

PONTO2 HOMOGRAFIA::aplica(const PONTO2& p) const {
  const double w = m[2][0] * p.l + m[2][1] * p.c + m[2][2];
  return PONTO2((m[0][0] * p.l + m[0][1] * p.c + m[0][2]) / w,
                (m[1][0] * p.l + m[1][1] * p.c + m[1][2]) / w);
}

bool homografia(const PONTO2 de[4], const PONTO2 para[4], HOMOGRAFIA& h) {
  if (tresalinhados(de) || tresalinhados(para)) return false;
  double a[8][9] = {};
  for (int k = 0; k < 4; k++) {
    const double l = de[k].l, c = de[k].c, L = para[k].l, C = para[k].c;
    const double la[9] = {l, c, 1, 0, 0, 0, -L * l, -L * c, L};
    const double ca[9] = {0, 0, 0, l, c, 1, -C * l, -C * c, C};
    std::copy(la, la + 9, a[2 * k]);
    std::copy(ca, ca + 9, a[2 * k + 1]);
  }
  if (!resolve8(a)) return false;
  for (int k = 0; k < 8; k++) h.m[k / 3][k % 3] = a[k][8];
  h.m[2][2] = 1;
  return true;
}

IMGGRY retifica(const IMGGRY& img, const PONTO2 q[4], int nl, int nc, BYTE fora) {
  if (nl < 1 || nc < 1 || img.n() == 0) return IMGGRY();
  const PONTO2 cantos[4] = {{0, 0},
                            {0, static_cast<double>(nc)},
                            {static_cast<double>(nl), static_cast<double>(nc)},
                            {static_cast<double>(nl), 0}};
  HOMOGRAFIA h;
  if (!homografia(cantos, q, h)) return IMGGRY();
  IMGGRY out(nl, nc);
  const int al = img.nl(), ac = img.nc();
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      const PONTO2 p = h.aplica(PONTO2(l + 0.5, c + 0.5));
      if (!(p.l >= -0.5 && p.l <= al + 0.5 && p.c >= -0.5 && p.c <= ac + 0.5)) {
        out.lin[l][c] = fora;
        continue;
      }
      const double y = std::clamp(p.l - 0.5, 0.0, al - 1.0),
                   x = std::clamp(p.c - 0.5, 0.0, ac - 1.0);
      const int i = std::min(static_cast<int>(y), al - 1),
                j = std::min(static_cast<int>(x), ac - 1);
      const int i1 = std::min(i + 1, al - 1), j1 = std::min(j + 1, ac - 1);
      const double ty = y - i, tx = x - j;
      const double v = (1 - ty) * ((1 - tx) * img.lin[i][j] + tx * img.lin[i][j1]) +
                       ty * ((1 - tx) * img.lin[i1][j] + tx * img.lin[i1][j1]);
      out.lin[l][c] = static_cast<BYTE>(std::lround(v));
    }
  return out;
}
