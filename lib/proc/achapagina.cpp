#include "achapagina.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "interpolacao.h"
#include "reamostragem.h"

namespace {

constexpr int LADOMAXIMO = 1000;  // long side of the reduced copy
constexpr int AMOSTRAS = 48;      // points sought along each edge

// Otsu's threshold: light is above it; -1 when the image has a single level.
int otsu(const IMGGRY& g, double& escuro, double& claro) {
  std::vector<double> h(256);
  for (int i = 0; i < g.n(); i++) h[g.data[i]]++;
  double total = 0, soma = 0;
  for (int v = 0; v < 256; v++) total += h[v], soma += v * h[v];
  double n0 = 0, s0 = 0, melhor = -1;
  int t = -1;
  for (int v = 0; v < 255; v++) {
    n0 += h[v], s0 += v * h[v];
    const double n1 = total - n0;
    if (n0 == 0 || n1 == 0) continue;
    const double m0 = s0 / n0, m1 = (soma - s0) / n1, var = n0 * n1 * (m0 - m1) * (m0 - m1);
    if (var > melhor) melhor = var, t = v, escuro = m0, claro = m1;
  }
  return t;
}

// The largest 4-connected region of marked pixels, with its holes filled.
std::vector<uint8_t> maiorregiao(const std::vector<uint8_t>& claro, int nl, int nc, long& area) {
  std::vector<int> rotulo(claro.size(), -1), pilha;
  int melhor = -1;
  long maior = 0;
  auto vizinhos = [&](int p, auto&& visita) {
    const int l = p / nc, c = p % nc;
    if (l > 0) visita(p - nc);
    if (l + 1 < nl) visita(p + nc);
    if (c > 0) visita(p - 1);
    if (c + 1 < nc) visita(p + 1);
  };
  for (int s = 0, r = 0; s < nl * nc; s++) {
    if (!claro[s] || rotulo[s] >= 0) continue;
    long n = 0;
    rotulo[s] = r, pilha.push_back(s);
    while (!pilha.empty()) {
      const int p = pilha.back();
      pilha.pop_back(), n++;
      vizinhos(p, [&](int q) {
        if (claro[q] && rotulo[q] < 0) rotulo[q] = r, pilha.push_back(q);
      });
    }
    if (n > maior) maior = n, melhor = r;
    r++;
  }
  // Everything the outside reaches without crossing the region stays outside.
  std::vector<uint8_t> fora(claro.size(), 0);
  for (int p = 0; p < nl * nc; p++) {
    const int l = p / nc, c = p % nc;
    if ((l == 0 || c == 0 || l == nl - 1 || c == nc - 1) && rotulo[p] != melhor && !fora[p])
      fora[p] = 1, pilha.push_back(p);
  }
  while (!pilha.empty()) {
    const int p = pilha.back();
    pilha.pop_back();
    vizinhos(p, [&](int q) {
      if (rotulo[q] != melhor && !fora[q]) fora[q] = 1, pilha.push_back(q);
    });
  }
  area = 0;
  for (auto& f : fora) f = !f, area += f;
  return fora;
}

double areaquad(const PONTO2 q[4]) {
  double a = 0;
  for (int k = 0; k < 4; k++) a += q[k].c * q[(k + 1) % 4].l - q[(k + 1) % 4].c * q[k].l;
  return std::fabs(a) / 2;
}

struct RETA {
  PONTO2 p, d;  // a point and a unit direction
};

// Where the edge from a to b really is: along the outward normal of each sample point, the
// first crossing of the level meio from paper to desk, within raio pixels.
std::vector<PONTO2> pontosdaborda(const IMGGRY& g, PONTO2 a, PONTO2 b, PONTO2 centro, double raio,
                                  double meio) {
  const double dl = b.l - a.l, dc = b.c - a.c, n = std::hypot(dl, dc);
  PONTO2 nor(-dc / n, dl / n);
  const PONTO2 m((a.l + b.l) / 2, (a.c + b.c) / 2);
  if ((m.l - centro.l) * nor.l + (m.c - centro.c) * nor.c < 0) nor = PONTO2(-nor.l, -nor.c);
  std::vector<PONTO2> pts;
  for (int k = 0; k < AMOSTRAS; k++) {
    const double t = 0.1 + 0.8 * k / (AMOSTRAS - 1);
    const PONTO2 p(a.l + t * dl, a.c + t * dc);
    double antes = bilinear(g, p.l - raio * nor.l, p.c - raio * nor.c);
    for (double s = -raio + 0.5; s <= raio; s += 0.5) {
      const double y = p.l + s * nor.l, x = p.c + s * nor.c;
      if (y < 0 || x < 0 || y > g.nl() || x > g.nc()) break;  // the frame, not the page's edge
      const double v = bilinear(g, y, x);
      if (antes >= meio && v < meio) {
        const double f = s - 0.5 + 0.5 * (antes - meio) / (antes - v);
        pts.emplace_back(p.l + f * nor.l, p.c + f * nor.c);
        break;
      }
      antes = v;
    }
  }
  return pts;
}

RETA ajusta(const std::vector<PONTO2>& pts) {
  double ml = 0, mc = 0;
  for (const PONTO2& p : pts) ml += p.l, mc += p.c;
  ml /= pts.size(), mc /= pts.size();
  double sll = 0, scc = 0, slc = 0;
  for (const PONTO2& p : pts)
    sll += (p.l - ml) * (p.l - ml), scc += (p.c - mc) * (p.c - mc), slc += (p.l - ml) * (p.c - mc);
  const double ang = 0.5 * std::atan2(2 * slc, scc - sll);  // principal direction
  return {PONTO2(ml, mc), PONTO2(std::sin(ang), std::cos(ang))};
}

bool cruza(const RETA& r, const RETA& s, PONTO2& x) {
  const double det = r.d.c * s.d.l - r.d.l * s.d.c;
  if (std::fabs(det) < 1e-9) return false;
  const double t = ((s.p.c - r.p.c) * s.d.l - (s.p.l - r.p.l) * s.d.c) / det;
  x = PONTO2(r.p.l + t * r.d.l, r.p.c + t * r.d.c);
  return true;
}

bool folhaconhecida(const PONTO2 q[4]) {
  double a, l;
  ladosmedios(q, a, l);
  const double r = std::max(a, l) / std::max(std::min(a, l), 1e-9);
  return std::fabs(r / PROPORCAOCARTA - 1) < 0.03 || std::fabs(r / PROPORCAOA4 - 1) < 0.03;
}

// First corners on the reduced copy: the region's extreme pixels along the two diagonals.
void cantosextremos(const std::vector<uint8_t>& m, int nl, int nc, double fator, PONTO2 q[4]) {
  double best[4] = {1e18, -1e18, -1e18, 1e18};  // l+c min, c-l max, l+c max, c-l min
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      if (!m[l * nc + c]) continue;
      const double s = l + c, d = c - l;
      const PONTO2 p((l + 0.5) * fator, (c + 0.5) * fator);
      if (s < best[0]) best[0] = s, q[0] = p;
      if (d > best[1]) best[1] = d, q[1] = p;
      if (s > best[2]) best[2] = s, q[2] = p;
      if (d < best[3]) best[3] = d, q[3] = p;
    }
}

}  // namespace

void ladosmedios(const PONTO2 q[4], double& altura, double& largura) {
  auto d = [&](int a, int b) { return std::hypot(q[a].l - q[b].l, q[a].c - q[b].c); };
  altura = (d(0, 3) + d(1, 2)) / 2;
  largura = (d(0, 1) + d(3, 2)) / 2;
}

bool achapagina(const IMGGRY& img, PONTO2 cantos[4], std::string& motivo) {
  motivo = "no page found";
  if (img.nl() < 8 || img.nc() < 8) return false;
  const double fator =
      std::max(1.0, static_cast<double>(std::max(img.nl(), img.nc())) / LADOMAXIMO);
  const IMGGRY r = fator > 1 ? reamostra(img, 1 / fator) : img;
  const int nl = r.nl(), nc = r.nc();
  double escuro = 0, claro = 255;
  const int t = otsu(r, escuro, claro);
  if (t < 0 || claro - escuro < 20) return false;
  std::vector<uint8_t> luz(r.n());
  for (int i = 0; i < r.n(); i++) luz[i] = r.data[i] > t;
  long area = 0;
  const std::vector<uint8_t> m = maiorregiao(luz, nl, nc, area);
  if (area < 0.1 * nl * nc) return false;
  PONTO2 q[4];
  cantosextremos(m, nl, nc, fator, q);
  if (std::fabs(areaquad(q) / (area * fator * fator) - 1) > 0.1) return false;
  const double fl = static_cast<double>(img.nl()) / nl, fc = static_cast<double>(img.nc()) / nc;
  for (PONTO2& p : q) p = PONTO2(p.l / fator * fl, p.c / fator * fc);
  const PONTO2 centro((q[0].l + q[2].l) / 2, (q[0].c + q[2].c) / 2);
  const double raio = 3 * std::max(fl, fc) + 3, meio = (escuro + claro) / 2;
  RETA lados[4];
  bool nomoldura = false;
  for (int k = 0; k < 4; k++) {
    const std::vector<PONTO2> pts = pontosdaborda(img, q[k], q[(k + 1) % 4], centro, raio, meio);
    if (pts.size() >= AMOSTRAS / 4) {
      lados[k] = ajusta(pts);
      continue;
    }
    // No edge to see: the page runs to the frame there, so the frame is its edge.
    nomoldura = true;
    const PONTO2 a = q[k], b = q[(k + 1) % 4];
    const double n = std::hypot(b.l - a.l, b.c - a.c);
    lados[k] = {a, PONTO2((b.l - a.l) / n, (b.c - a.c) / n)};
  }
  for (int k = 0; k < 4; k++)
    if (!cruza(lados[(k + 3) % 4], lados[k], cantos[k])) return false;
  motivo = "page cut by the image edge";
  for (int k = 0; k < 4; k++)
    if (cantos[k].l < -1 || cantos[k].c < -1 || cantos[k].l > img.nl() + 1 ||
        cantos[k].c > img.nc() + 1)
      return false;
  if (nomoldura && !folhaconhecida(cantos)) return false;
  motivo.clear();
  return true;
}
