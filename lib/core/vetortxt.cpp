#include "core/vetortxt.h"

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/tokens.h"

namespace {

// Everything that tells one container type's text file from another's.
struct FORMATOTXT {
  const char* cabecalho;  // the sizes: n (and the 2 columns of points), or nl and nc
  const char* elemento;
  const char *abreimp, *bufimp, *escrita;
  const char *abrele, *bufle;
};

constexpr FORMATOTXT FORMATOS[] = {
    {"%d\n\n", "%d\n", "Erro imp(VETOR<int>,nome) - abertura de ",
     "Erro VETOR<T>::ImpTxt - Faltou memoria setvbuf", "Erro imp(VETOR<int>,nome) - Escrita de ",
     "Erro le(VETOR<int>,nome) - abertura de ",
     "Erro le(VETOR<int>,nome) - Faltou memoria setvbuf"},
    {"%d\n\n", "%lg\n", "Erro imp(VETOR<double>,nome) - abertura de ",
     "Erro VETOR<T>::ImpTxt - Faltou memoria setvbuf", "Erro imp(VETOR<double>,nome) - Escrita de ",
     "Erro le(VETOR<double> - Abertura ", "Erro le(VETOR<double> - Faltou memoria setvbuf"},
    {"%d 2\n\n", "%lg %lg\n", "Erro imp(VETOR<PONTO2>,nome) - abertura de ",
     "Erro VETOR<T>::ImpTxt - Faltou memoria setvbuf", "Erro imp(VETOR<PONTO2>,nome) - Escrita de ",
     "Erro le(VETOR<PONTO2>,nome) - abertura de ",
     "Erro le(VETOR<PONTO2>,nome) - Faltou memoria setvbuf"},
    {"%d 2\n\n", "%d %d\n", "Erro imp(VETOR<PONTOI2>,nome) - abertura de ",
     "Erro VETOR<T>::ImpTxt - Faltou memoria setvbuf",
     "Erro imp(VETOR<PONTOI2>,nome) - Escrita de ",
     "Erro le(VETOR<PONTOI2>,nome) - abertura de ",
     "Erro le(VETOR<PONTOI2>,nome) - Faltou memoria setvbuf"},
    {"%d %d\n\n", "%d ", "Erro imp(MATRIZ<int>,nome) - abertura de ",
     "Erro MATRIZ<T>::ImpTxt - Faltou memoria setvbuf", "Erro imp(MATRIZ<int>,nome) - Escrita de ",
     "Erro le(MATRIZ<int>,nome) - abertura de ",
     "Erro le(MATRIZ<int>,nome) - Faltou memoria setvbuf"},
    {"%d %d\n", "%lg ", "Erro imp(MATRIZ<double> - Abertura ",
     "Erro imp(MATRIZ<double> - Faltou memoria setvbuf", "Erro imp(MATRIZ<double> - Escrita de ",
     "Erro le(MATRIZ<double> - Abertura ", "Erro le(MATRIZ<double> - Faltou memoria setvbuf"},
};

const FORMATOTXT& formato(const VETOR<int>&) { return FORMATOS[0]; }
const FORMATOTXT& formato(const VETOR<double>&) { return FORMATOS[1]; }
const FORMATOTXT& formato(const VETOR<PONTO2>&) { return FORMATOS[2]; }
const FORMATOTXT& formato(const VETOR<PONTOI2>&) { return FORMATOS[3]; }
const FORMATOTXT& formato(const MATRIZ<int>&) { return FORMATOS[4]; }
const FORMATOTXT& formato(const MATRIZ<double>&) { return FORMATOS[5]; }

// Tokens per element: points are written as their two coordinates.
template <class T>
constexpr int NTOKENS = 1;
template <>
constexpr int NTOKENS<PONTO2> = 2;
template <>
constexpr int NTOKENS<PONTOI2> = 2;

void imprime(FILE* f, const char* fmt, int v) { std::fprintf(f, fmt, v); }
void imprime(FILE* f, const char* fmt, double v) { std::fprintf(f, fmt, v); }
void imprime(FILE* f, const char* fmt, const PONTO2& p) { std::fprintf(f, fmt, p.l, p.c); }
void imprime(FILE* f, const char* fmt, const PONTOI2& p) { std::fprintf(f, fmt, p.l, p.c); }

void leelem(FILE* f, int& v) { LeNum(f, v); }
void leelem(FILE* f, double& v) { LeNum(f, v); }
void leelem(FILE* f, PONTO2& p) {
  LeNum(f, p.l);
  LeNum(f, p.c);
}
void leelem(FILE* f, PONTOI2& p) {
  LeNum(f, p.l);
  LeNum(f, p.c);
}

// A count the rest of the file cannot hold would only size a block the reads never fill: the
// elements are read into a scratch one instead, which meets the end of the file and stops
// with the element reader's own message.
template <class T>
void confere(FILE* f, long long n) {
  if (cabemtokens(f, n * NTOKENS<T>)) return;
  T x;
  for (long long i = 0; i < n; i++) leelem(f, x);
}

}  // namespace

template <class T>
void imp(const VETOR<T>& v, const char* nome) {
  const FORMATOTXT& fmt = formato(v);
  ARQUIVO f(nome, "w", fmt.abreimp, fmt.bufimp);
  std::fprintf(f, fmt.cabecalho, v.n());
  for (int i = 0; i < v.n(); i++) imprime(f, fmt.elemento, v.data[i]);
  f.fecha(fmt.escrita);
}

template <class T>
void le(VETOR<T>& v, const char* nome) {
  const FORMATOTXT& fmt = formato(v);
  ARQUIVO f(nome, "r", fmt.abrele, fmt.bufle);
  int n, colunas;
  LeNum(f, n);
  if (NTOKENS<T> == 2) {
    LeNum(f, colunas);
    if (colunas != 2) aborta("Erro: Numero de colunas != 2");
  }
  confere<T>(f, n);
  v.resize(n);
  for (int i = 0; i < n; i++) leelem(f, v(i));
  f.fecha();
}

template <class T>
void imp(const MATRIZ<T>& m, const char* nome) {
  const FORMATOTXT& fmt = formato(m);
  ARQUIVO f(nome, "w", fmt.abreimp, fmt.bufimp);
  std::fprintf(f, fmt.cabecalho, m.nl(), m.nc());
  for (int l = 0; l < m.nl(); l++) {
    for (int c = 0; c < m.nc(); c++) imprime(f, fmt.elemento, m(l, c));
    std::fputc('\n', f);
  }
  f.fecha(fmt.escrita);
}

template <class T>
void le(MATRIZ<T>& m, const char* nome) {
  const FORMATOTXT& fmt = formato(m);
  ARQUIVO f(nome, "r", fmt.abrele, fmt.bufle);
  int nl, nc;
  LeNum(f, nl);
  LeNum(f, nc);
  confere<T>(f, MATRIZ<T>::conta(nl, nc));
  m.aloca(nl, nc);
  for (int i = 0; i < m.n(); i++) leelem(f, m.data[i]);
  f.fecha();
}

#define MORVIA_TXT(C)                               \
  template void imp(const C& o, const char* nome); \
  template void le(C& o, const char* nome);
MORVIA_TXT(VETOR<int>)
MORVIA_TXT(VETOR<double>)
MORVIA_TXT(VETOR<PONTO2>)
MORVIA_TXT(VETOR<PONTOI2>)
MORVIA_TXT(MATRIZ<int>)
MORVIA_TXT(MATRIZ<double>)
#undef MORVIA_TXT
