// The .vet payload file: the bit count, an empty line, then the bits as 0 and 1, bit 0 first,
// in lines of four groups of eight ("1010,0000 0000,0000 1100,1010 0110,0001").
#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/cabembytes.h"
#include "core/tokens.h"
#include "core/vetorbit.h"

namespace {

// What follows bit i: a newline after every 32 bits, a blank after every 8, a comma after 4.
const char* separadorbit(int i) {
  if (i % 32 == 31) return "\n";
  if (i % 8 == 7) return " ";
  if (i % 4 == 3) return ",";
  return "";
}

}  // namespace

void imp(const VETORBIT& v, const char* nome) {
  ARQUIVO f(nome, "w", "Erro imp(VETORBIT,nome) - abertura de ",
            "Erro VETOR<T>::ImpTxt - Faltou memoria setvbuf");
  std::fprintf(f, "%d\n\n", v.n());
  for (int i = 0; i < v.n(); i++) {
    uint32_t w = v.words[i >> 5];
    std::fputc(w & (0x80000000u >> (i & 31)) ? '1' : '0', f);
    std::fputs(separadorbit(i), f);
  }
  f.fecha("Erro imp(VETORBIT,nome) - Escrita de ");
}

void le(VETORBIT& v, const char* nome) {
  ARQUIVO f(nome, "r", "Erro le(VETORBIT - Abertura ",
            "Erro le(VETOR<double> - Faltou memoria setvbuf");
  int n;
  LeNum(f, n);
  // Every bit takes a character: a count the rest of the file cannot hold ends as the reads
  // would, at the end of the file, before anything is allocated for it.
  if (!cabembytes(f, n)) aborta("Erro: LeBool ", "eof");
  v.resize(n);
  for (int i = 0; i < n; i++) {
    uint32_t m = 0x80000000u >> (i & 31);
    if (LeBool(f)) v.words[i >> 5] |= m;
    else v.words[i >> 5] &= ~m;
  }
  f.fecha();
}
