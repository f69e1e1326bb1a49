// The scanning geometry and sampling: every scan pixel is traced back through the border or
// cut, the quarter turns and the small rotation to the printer grid, and averages the sheet
// over its footprint there. Tracing back keeps the rotation ahead of the sampling, as on a real
// platen, without ever holding the printer grid as floats.
#include <algorithm>
#include <cmath>

#include "impressao.h"

namespace {

// Affine map from scan coordinates (Y, X) to a frame: y = ly Y + lx X + l0, x = cy Y + cx X + c0.
struct AFIM {
  double ly = 1, lx = 0, l0 = 0, cy = 0, cx = 1, c0 = 0;
};

void desloca(AFIM& m, double dl, double dc) {
  m.l0 += dl;
  m.c0 += dc;
}

// Undoes one clockwise quarter turn of an image that was h rows by w columns after the turn:
// the point (y, x) came from (w - x, y).
void desgira(AFIM& m, double w) {
  AFIM o = m;
  m.ly = -o.cy, m.lx = -o.cx, m.l0 = w - o.c0;
  m.cy = o.ly, m.cx = o.lx, m.c0 = o.l0;
}

// Undoes a clockwise rotation by graus about (yc, xc).
void desroda(AFIM& m, double graus, double yc, double xc) {
  double a = graus * 3.14159265358979323846 / 180, co = std::cos(a), si = std::sin(a);
  desloca(m, -yc, -xc);
  AFIM o = m;
  m.ly = co * o.ly - si * o.cy, m.lx = co * o.lx - si * o.cx, m.l0 = co * o.l0 - si * o.c0;
  m.cy = si * o.ly + co * o.cy, m.cx = si * o.lx + co * o.cx, m.c0 = si * o.l0 + co * o.c0;
  desloca(m, yc, xc);
}

void multiplica(AFIM& m, double f) {
  m.ly *= f, m.lx *= f, m.l0 *= f, m.cy *= f, m.cx *= f, m.c0 *= f;
}

int escala(int n, int para, int de) { return static_cast<int>((1LL * n * para + de / 2) / de); }

// Sub-samples per axis: exact area averages when the printer grid divides the scan pixel.
int amostras(double passo) {
  double r = std::round(passo);
  if (std::fabs(passo - r) < 1e-9) return std::max(1, static_cast<int>(r));
  return static_cast<int>(std::ceil(2 * passo));
}

float media(const FOLHA& f, const AFIM& m, int l, int c, int q) {
  float s = 0;
  for (int i = 0; i < q; i++)
    for (int j = 0; j < q; j++) {
      double y = l + (i + 0.5) / q, x = c + (j + 0.5) / q;
      double py = m.ly * y + m.lx * x + m.l0, px = m.cy * y + m.cx * x + m.c0;
      bool fora = !(py >= 0 && py < f.nl && px >= 0 && px < f.nc);
      s += fora ? 1.0f : f.valor(static_cast<int>(py), static_cast<int>(px));
    }
  return s / static_cast<float>(q * q);
}

}  // namespace

IMGFLT digitaliza(const FOLHA& f, const PARAMSCAN& p) {
  int ds = p.dpiscan > 0 ? p.dpiscan : p.dpidoc;
  // The page on the scan grid, before any turn.
  int hs = escala(f.nl, ds, p.dpiimpressora), ws = escala(f.nc, ds, p.dpiimpressora);
  int giros = ((p.giro % 4) + 4) % 4;
  int h = giros % 2 ? ws : hs, w = giros % 2 ? hs : ws;
  int nl = h + 2 * (p.borda - p.corte), nc = w + 2 * (p.borda - p.corte);
  if (nl < 1 || nc < 1) aborta("Erro printscan: o corte nao deixa nada da pagina");
  AFIM m;
  desloca(m, p.corte - p.borda, p.corte - p.borda);
  for (int k = 0; k < giros; k++) {
    desgira(m, w);
    std::swap(h, w);
  }
  desroda(m, p.rot, hs / 2.0, ws / 2.0);
  double passo = static_cast<double>(p.dpiimpressora) / ds;
  multiplica(m, passo);
  int q = amostras(passo);
  IMGFLT s(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) s.lin[l][c] = media(f, m, l, c, q);
  s.backg = 1.0f;
  return s;
}
