// An IMGBIN as a list of hexadecimal words, for inclusion in source text: "nl, nc," and the
// pixels in row-major order as one stream of bits (white 1), 32 to a word, eight words a line.
#include <cstdint>
#include <cstdio>

#include "core/arquivo.h"
#include "core/imgbin.h"

void IMGBIN::ImpHex(const char* nome) const {
  const char* const ESCRITAHEX = "Erro ImpHex - Escrita de ";
  ARQUIVO a(nome, "w", "Erro ImpHex - abertura de ", "Erro ImpHex - Faltou memoria setvbuf");
  std::fprintf(a, "%d, %d,\n", nl_, nc_);
  // Rows are not padded: the stream runs on from one row into the next.
  uint32_t palavra = 0;
  long long bits = 0, palavras = 0;
  auto fechapalavra = [&]() {
    std::fprintf(a, "0x%08lx, ", static_cast<unsigned long>(palavra));
    if (++palavras % 8 == 0) std::fputc('\n', a);
    palavra = 0;
  };
  for (int l = 0; l < nl_; l++)
    for (int c = 0; c < nc_; c++) {
      if (pega(l, c)) palavra |= 0x80000000u >> (bits % 32);
      if (++bits % 32 == 0) fechapalavra();
    }
  if (bits % 32) fechapalavra();
  a.fecha(ESCRITAHEX);
}
