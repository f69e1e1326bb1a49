// Library operations on bit vectors. Bit indices as in the class: bit i in word i >> 5 under
// mask 0x80000000 >> (i & 31). As polynomials, bit i is the coefficient of x^i.
#include <climits>
#include <cstring>
#include <string>

#include "core/aborta.h"
#include "core/vetorbit.h"

namespace {

uint32_t mascara(int i) { return 0x80000000u >> (i & 31); }
bool pega(const VETORBIT& v, int i) { return (v.words[i >> 5] & mascara(i)) != 0; }
void poe(VETORBIT& v, int i, bool b) {
  if (b) v.words[i >> 5] |= mascara(i);
  else v.words[i >> 5] &= ~mascara(i);
}

// Copies k bits of src from srci on into dst from dsti on; the callers checked the ranges.
void copiabits(VETORBIT& dst, int dsti, const VETORBIT& src, int srci, int k) {
  for (int j = 0; j < k; j++) poe(dst, dsti + j, pega(src, srci + j));
}

// A size computed in 64 bits that must fit a vector.
int tamanho(long long n) {
  if (n > INT_MAX) aborta("Erro VETOR::aloca - Falta memoria");
  return static_cast<int>(n);
}

template <class OP>
VETORBIT combina(const VETORBIT& a, const VETORBIT& b, OP op) {
  if (a.n() != b.n()) aborta("Erro &: vetores com tamanhos diferentes");
  VETORBIT r(a.n());
  for (int w = 0; w < r.nwords(); w++) r.words[w] = op(a.words[w], b.words[w]);
  return r;
}

VETORBIT detexto(const char* texto, size_t k) {
  VETORBIT r(tamanho(static_cast<long long>(k)));
  for (size_t j = 0; j < k; j++) {
    if (texto[j] != '0' && texto[j] != '1') aborta("Erro atovetorbit");
    poe(r, static_cast<int>(k - 1 - j), texto[j] == '1');
  }
  return r;
}

bool branco(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Index of the highest set bit, or -1.
int grau(const VETORBIT& p) {
  for (int i = p.n() - 1; i >= 0; i--)
    if (pega(p, i)) return i;
  return -1;
}

}  // namespace

VETORBIT padzeros(const VETORBIT& v, int m) {
  if (m < 0) aborta("Erro padzeros m<0");
  int nv = v.n() > 0 ? v.n() : 0;
  VETORBIT r(tamanho(static_cast<long long>(nv) + m));
  copiabits(r, 0, v, 0, nv);
  return r;
}

VETORBIT subvetorbit(const VETORBIT& v, int inic, int fim) {
  if (inic > fim) aborta("Erro subvetorbit inic>fim");
  if (inic < 0 || fim >= v.n()) aborta("Erro VETORBIT::operator() - Indice invalido");
  VETORBIT r(fim - inic + 1);
  copiabits(r, 0, v, inic, r.n());
  return r;
}

VETORBIT& delleft(VETORBIT& v, int k) {
  if (k > v.n() || k < 0) aborta("Erro delleft n>nv");
  v.encurta(v.n() - k);
  return v;
}

VETORBIT operator&(const VETORBIT& a, const VETORBIT& b) {
  return combina(a, b, [](uint32_t x, uint32_t y) { return x & y; });
}
VETORBIT operator|(const VETORBIT& a, const VETORBIT& b) {
  return combina(a, b, [](uint32_t x, uint32_t y) { return x | y; });
}
VETORBIT operator^(const VETORBIT& a, const VETORBIT& b) {
  return combina(a, b, [](uint32_t x, uint32_t y) { return x ^ y; });
}

VETORBIT inverte(const VETORBIT& v) {
  VETORBIT r(v.n());
  for (int i = 0; i < v.n(); i++) poe(r, v.n() - 1 - i, pega(v, i));
  return r;
}

VETORBIT atovetorbit(const char* texto) { return detexto(texto, std::strlen(texto)); }

VETORBIT levetorbit(FILE* f) {
  int c = std::getc(f);
  while (branco(c)) c = std::getc(f);
  if (c == EOF) aborta("Erro leitura VETORBIT");
  std::string s;
  for (; c != EOF && !branco(c); c = std::getc(f)) s += static_cast<char>(c);
  return detexto(s.data(), s.size());
}

// Schoolbook long division: from the top bit of a down to the degree d of p, every set bit
// of the running remainder has p, aligned under it, XOR-ed away. What is left lies below x^d
// and comes back in p.n - 1 bits. A p with no set bit has no degree and is refused with the
// empty one.
VETORBIT modGF2(const VETORBIT& a, const VETORBIT& p) {
  int d = p.n() > 0 ? grau(p) : -1;
  if (d < 0) aborta("Erro modGF2 p.n<=0");
  int na = a.n() > 0 ? a.n() : 0;
  VETORBIT resto = padzeros(a, na < p.n() ? p.n() - na : 0);
  for (int i = na - 1; i >= d; i--)
    if (pega(resto, i))
      for (int j = 0; j <= d; j++)
        if (pega(p, j)) poe(resto, i - d + j, !pega(resto, i - d + j));
  VETORBIT r(p.n() - 1);
  copiabits(r, 0, resto, 0, r.n());
  return r;
}
