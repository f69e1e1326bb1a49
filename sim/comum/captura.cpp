#include "captura.h"

#include <algorithm>
#include <cmath>

#include "core/aborta.h"
#include "proc/homografia.h"
#include "proc/interpolacao.h"

namespace {

bool planar(const PARAMSCAN& p) { return p.mesa == 0 && p.trapezio == 0 && p.inclinacao == 0; }

// The page's corners (top-left, top-right, bottom-right, bottom-left) on the capture, and the
// capture's size.
void posiciona(int nl, int nc, const PARAMSCAN& p, PONTO2 q[4], int& cl, int& cc) {
  const double recuo = p.trapezio * nc / 2;
  q[0] = PONTO2(0, recuo), q[1] = PONTO2(0, nc - recuo), q[2] = PONTO2(nl, nc),
  q[3] = PONTO2(nl, 0);
  const double a = p.inclinacao * 3.14159265358979323846 / 180, co = std::cos(a), si = std::sin(a);
  double minl = 1e18, minc = 1e18, maxl = -1e18, maxc = -1e18;
  for (int k = 0; k < 4; k++) {
    const double y = q[k].l - nl / 2.0, x = q[k].c - nc / 2.0;
    q[k] = PONTO2(x * si + y * co, x * co - y * si);  // clockwise as viewed
    minl = std::min(minl, q[k].l), maxl = std::max(maxl, q[k].l);
    minc = std::min(minc, q[k].c), maxc = std::max(maxc, q[k].c);
  }
  for (int k = 0; k < 4; k++) q[k] = PONTO2(q[k].l - minl + p.mesa, q[k].c - minc + p.mesa);
  cl = static_cast<int>(std::ceil(maxl - minl)) + 2 * p.mesa;
  cc = static_cast<int>(std::ceil(maxc - minc)) + 2 * p.mesa;
}

double amostra(const IMGFLT& g, double y, double x) {
  if (!(y >= 0 && x >= 0 && y < g.nl() && x < g.nc())) return REFLMESA;
  return bilinear(g, y, x);
}

IMGFLT namesa(const IMGFLT& pagina, const PARAMSCAN& p) {
  PONTO2 q[4];
  int cl, cc;
  posiciona(pagina.nl(), pagina.nc(), p, q, cl, cc);
  const PONTO2 ret[4] = {{0, 0},
                         {0, 1.0 * pagina.nc()},
                         {1.0 * pagina.nl(), 1.0 * pagina.nc()},
                         {1.0 * pagina.nl(), 0}};
  HOMOGRAFIA h;
  if (!homografia(q, ret, h)) aborta("Erro printscan: captura degenerada");
  IMGFLT s(cl, cc);
  for (int l = 0; l < cl; l++)
    for (int c = 0; c < cc; c++) {
      const PONTO2 o = h.aplica(PONTO2(l + 0.5, c + 0.5));
      s.lin[l][c] = static_cast<FLT>(amostra(pagina, o.l, o.c));
    }
  s.backg = static_cast<FLT>(REFLMESA);
  return s;
}

void ilumina(IMGFLT& s, const PARAMSCAN& p) {
  const double yc = s.nl() / 2.0, xc = s.nc() / 2.0, r2 = yc * yc + xc * xc;
  for (int l = 0; l < s.nl(); l++)
    for (int c = 0; c < s.nc(); c++) {
      const double x = (c + 0.5) / s.nc(), dy = l + 0.5 - yc, dx = c + 0.5 - xc;
      const double luz =
          (1 - (1 - p.luzlinear) * x) * (1 - (1 - p.luzradial) * (dy * dy + dx * dx) / r2);
      s.lin[l][c] = static_cast<FLT>(s.lin[l][c] * luz);
    }
}

}  // namespace

IMGFLT captura(const IMGFLT& pagina, const PARAMSCAN& p) {
  IMGFLT s = planar(p) ? pagina : namesa(pagina, p);
  if (p.luzlinear != 1 || p.luzradial != 1) ilumina(s, p);
  return s;
}
