// The printing stage: the document upsampled to the printer grid, toner spread by a Gaussian
// and fused at a threshold that the dot gain shifts.
#include "folha.h"

#include <algorithm>
#include <cmath>

#include "gauss.h"
#include "impressao.h"

std::vector<int> mapagrade(int n, int m) {
  std::vector<int> v(n);
  for (int k = 0; k < n; k++) v[k] = static_cast<int>(std::min<long long>(m - 1, 1LL * k * m / n));
  return v;
}

namespace {

int escala(int n, int para, int de) {
  long long v = (1LL * n * para + de / 2) / de;
  if (v < 1 || v > 1000000) aborta("Erro printscan: grade de impressao invalida");
  return static_cast<int>(v);
}

// One document row nearest-upsampled to the printer width and spread horizontally.
std::vector<float> linhaespalhada(const IMGBIN& doc, int j, const std::vector<int>& mc,
                                  const std::vector<float>& k) {
  std::vector<float> u(mc.size()), h(mc.size());
  for (size_t x = 0; x < mc.size(); x++) u[x] = doc.pega(j, mc[x]) ? 1.0f : 0.0f;
  convolve(u.data(), h.data(), static_cast<int>(u.size()), k);
  return h;
}

void funde(const std::vector<float>& v, int l, double limiar, FOLHA& f) {
  for (int c = 0; c < f.nc; c++) {
    if (f.emcinza) f.cinza.lin[l][c] = static_cast<BYTE>(std::lround(std::clamp(v[c], 0.0f, 1.0f) * 255));
    else f.bin.poe(l, c, v[c] >= limiar);
  }
}

// Bands of printer rows, each spreading only the document rows it needs: printer rows that
// come from one document row share its horizontal pass.
void espalha(const IMGBIN& doc, const PARAMSCAN& p, FOLHA& f) {
  const int faixa = 128;
  std::vector<float> k = nucleogauss(p.toner), acc(f.nc);
  int r = static_cast<int>(k.size()) / 2;
  std::vector<int> ml = mapagrade(f.nl, doc.nl()), mc = mapagrade(f.nc, doc.nc());
  std::vector<const float*> linhas(k.size());
  for (int a = 0; a < f.nl; a += faixa) {
    int b = std::min(a + faixa, f.nl);
    int j0 = ml[std::max(0, a - r)], j1 = ml[std::min(f.nl - 1, b - 1 + r)];
    std::vector<std::vector<float>> h;
    for (int j = j0; j <= j1; j++) h.push_back(linhaespalhada(doc, j, mc, k));
    for (int l = a; l < b; l++) {
      for (size_t t = 0; t < k.size(); t++)
        linhas[t] = h[ml[std::clamp(l + static_cast<int>(t) - r, 0, f.nl - 1)] - j0].data();
      somalinhas(linhas, k, acc.data(), f.nc);
      funde(acc, l, 0.5 + p.ganho, f);
    }
  }
}

}  // namespace

FOLHA imprime(const IMGBIN& doc, const PARAMSCAN& p) {
  if (doc.n() == 0) aborta("Erro printscan: documento vazio");
  FOLHA f;
  f.nl = escala(doc.nl(), p.dpiimpressora, p.dpidoc);
  f.nc = escala(doc.nc(), p.dpiimpressora, p.dpidoc);
  if (p.toner <= 0) {  // nothing spreads: the document itself, seen through the pixel map
    f.bin = doc;
    f.mapal = mapagrade(f.nl, doc.nl());
    f.mapac = mapagrade(f.nc, doc.nc());
    return f;
  }
  f.emcinza = p.cinza;
  if (f.emcinza) f.cinza = IMGGRY(f.nl, f.nc);
  else f.bin = IMGBIN(f.nl, f.nc);
  f.mapal = mapagrade(f.nl, f.nl);
  f.mapac = mapagrade(f.nc, f.nc);
  espalha(doc, p, f);
  return f;
}
