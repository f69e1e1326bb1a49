#include "pagina.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "acaso.h"
#include "fonte.h"
#include "prosa.h"
#include "retangulo.h"

namespace {

// Page geometry in pixels.
struct MOLDE {
  int s;           // font module: 7 modules of capital height make 11-point text
  int entrelinha;  // baseline to baseline
  int x0, x1;      // text column
  int y0, y1;      // first and last text row
  int dpi;
};

MOLDE molde(int nl, int nc, int dpi) {
  MOLDE m;
  m.s = std::max(1, static_cast<int>(std::lround(dpi * 11.0 / 720.0)));
  m.entrelinha = 13 * m.s;
  int margem = std::min({dpi, nl / 8, nc / 8});
  m.x0 = margem;
  m.x1 = nc - margem;
  m.y0 = margem;
  m.y1 = nl - margem;
  m.dpi = dpi;
  return m;
}

int espaco(const MOLDE& m) { return avanco(m.s, false); }

// Draws words from x spreading extra pixels over the gaps, so that full lines end flush.
void escrevelinha(IMGBIN& img, const MOLDE& m, int y, int x, const std::vector<std::string>& ws,
                  int extra) {
  int gaps = static_cast<int>(ws.size()) - 1;
  for (int i = 0; i <= gaps; i++) {
    x += escrevetexto(img, y, x, ws[i], m.s, false, false) + espaco(m);
    if (i < gaps) x += extra / gaps + (i < extra % gaps ? 1 : 0);
  }
}

// A word too long for the column is cut, so that nothing crosses the margins.
std::string cabe(std::string t, int larg, int s, bool negrito) {
  while (t.size() > 1 && larguratexto(t, s, negrito) > larg) t.pop_back();
  return t;
}

// A paragraph ends with a full stop, and the next one opens a sentence.
void terminafrase(std::string& w, PROSA& prosa) {
  if (w.back() == ',') w.pop_back();
  if (w.back() != '.') w += '.';
  prosa.fechafrase();
}

// One paragraph from row y; returns the row after it. The word that overflows a line opens
// the next one, and the last line stops short at a random width.
int paragrafo(IMGBIN& img, const MOLDE& m, PROSA& prosa, ACASO& a, int y) {
  int nlinhas = 3 + a.inteiro(6);
  auto palavra = [&] { return cabe(prosa.proxima(), m.x1 - m.x0 - 3 * espaco(m), m.s, false); };
  std::string prox = palavra();  // the word that overflows a last line is dropped
  for (int i = 0; i < nlinhas && y + GLIFOALT * m.s <= m.y1; i++, y += m.entrelinha) {
    bool ultima = i == nlinhas - 1;
    int x = m.x0 + (i == 0 ? 3 * espaco(m) : 0);
    int alvo = ultima ? x + static_cast<int>((m.x1 - x) * (0.2 + 0.65 * a.uniforme())) : m.x1;
    std::vector<std::string> ws;
    int usado = 0;
    do {
      usado += (ws.empty() ? 0 : espaco(m)) + larguratexto(prox, m.s, false);
      ws.push_back(prox);
      prox = palavra();
    } while (x + usado + espaco(m) + larguratexto(prox, m.s, false) <= alvo);
    if (ultima) terminafrase(ws.back(), prosa);
    escrevelinha(img, m, y, x, ws, ultima ? 0 : std::max(0, alvo - x - usado));
  }
  return y + m.entrelinha / 2;
}

// Bold heading at twice the body size, with a rule thick enough to hold white dots.
int cabecalho(IMGBIN& img, const MOLDE& m, ACASO& a, int y) {
  std::string t = titulo(a, 2 + a.inteiro(3));
  while (t.find(' ') != std::string::npos && larguratexto(t, 2 * m.s, true) > m.x1 - m.x0)
    t.erase(t.rfind(' '));
  int fio = std::max(2, m.dpi / 12);
  if (y + 16 * m.s + fio > m.y1) return y;
  escrevetexto(img, y, m.x0, cabe(t, m.x1 - m.x0, 2 * m.s, true), 2 * m.s, true, false);
  y += 8 * 2 * m.s;
  retangulo(img, y, m.x0, fio, m.x1 - m.x0, false);
  return y + fio + m.entrelinha;
}

// A black band across the column with a white bold caption, as section banners are printed.
int caixainvertida(IMGBIN& img, const MOLDE& m, ACASO& a, int y) {
  int alt = 3 * m.entrelinha;
  if (y + alt > m.y1) return m.y1;
  retangulo(img, y, m.x0, alt, m.x1 - m.x0, false);
  std::string t = cabe(titulo(a, 2 + a.inteiro(2)), m.x1 - m.x0 - 4 * espaco(m), m.s, true);
  escrevetexto(img, y + (alt - 7 * m.s) / 2, m.x0 + 2 * espaco(m), t, m.s, true, true);
  return y + alt + m.entrelinha;
}

// Only where the bottom margin has room for it.
void rodape(IMGBIN& img, const MOLDE& m, unsigned semente) {
  if (img.nl() - m.y1 < 14 * m.s) return;
  std::string t = std::to_string(semente % 99 + 1);
  int x = (m.x0 + m.x1 - larguratexto(t, m.s, false)) / 2;
  escrevetexto(img, m.y1 + (img.nl() - m.y1 - 7 * m.s) / 2, x, t, m.s, false, false);
}

}  // namespace

IMGBIN geradoc(int nl, int nc, int dpi, unsigned semente) {
  if (nl < 1 || nc < 1 || dpi < 1) aborta("Erro geradoc: tamanho ou dpi invalido");
  IMGBIN img(nl, nc, true);
  MOLDE m = molde(nl, nc, dpi);
  ACASO a(semente);
  PROSA prosa(a);
  int y = cabecalho(img, m, a, m.y0);
  int caixa = 1 + a.inteiro(3);  // the banner follows this many paragraphs
  for (int k = 0; y + GLIFOALT * m.s <= m.y1; k++)
    y = k == caixa ? caixainvertida(img, m, a, y) : paragrafo(img, m, prosa, a, y);
  rodape(img, m, semente);
  return img;
}
