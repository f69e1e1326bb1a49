// Uncompressed 1-bit Windows bitmaps: a 14-byte file header, the 40-byte information header,
// a two-entry palette and the rows from the bottom up, each padded to whole 32-bit words.
#include <climits>
#include <cstdint>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/imgbin.h"
#include "core/tipos.h"
#include "core/cabembytes.h"
#include "core/campos.h"

namespace {

constexpr int DESLOCDADOS = 62;  // headers and palette: the pixels always start here
constexpr int TAMINFO = 40;
const char* const FIM = "Erro IMGBIN::LeBmp - Fim inesperado";
const char* const ESCRITA = "Erro IMGBIN::ImpBmp - Escrita de ";

// A little-endian header field of 2 or 4 bytes.
struct CAMPO {
  int pos, tam;
  uint32_t valor;
};

uint32_t lecampo(const BYTE* h, int pos, int tam) {
  uint32_t v = 0;
  for (int i = tam - 1; i >= 0; i--) v = v << 8 | h[pos + i];
  return v;
}

void poecampo(BYTE* h, const CAMPO& c) {
  for (int i = 0; i < c.tam; i++) h[c.pos + i] = static_cast<BYTE>(c.valor >> (8 * i));
}

// Grey level of a palette entry (blue, green, red, 0).
int cinza(const BYTE* e) { return (e[0] + e[1] + e[2] + 1) / 3; }

// Information-header checks in the order they are made: (field & mascara) must equal valor.
struct EXIGENCIA {
  int pos, tam;
  uint32_t mascara, valor;
  const char* msg;
};

const EXIGENCIA EXIGENCIAS[] = {
    {14, 4, ~0u, TAMINFO, "Erro IMGBIN::LeBmp - HeaderSize"},
    {26, 2, ~0u, 1, "Erro IMGBIN::LeBmp - NumberOfImagePlanes"},
    {28, 2, ~0u, 1, "Erro IMGBIN::LeBmp - BMP nao-binario"},
    {30, 4, ~0u, 0, "Erro IMGBIN::LeBmp - BMP compactado"},
    {46, 4, ~2u, 0, "Erro IMGBIN::LeBmp - BMP nao-binario"},  // colours used: 0 or 2
};

void confereinfo(const BYTE* h) {
  for (const EXIGENCIA& e : EXIGENCIAS)
    if ((lecampo(h, e.pos, e.tam) & e.mascara) != e.valor) aborta(e.msg);
  uint32_t tamimagem = lecampo(h, 34, 4);
  if (tamimagem != 0 && lecampo(h, 2, 4) != uint64_t(tamimagem) + TAMINFO + 22)
    aborta("Erro IMGBIN::LeBmp - Numero de bytes");
}

struct CABECALHO {
  int32_t larg, alt;
  bool inverte;  // palette entry 1 is the darker colour
};

CABECALHO lecabecalho(ARQUIVO& a) {
  BYTE h[DESLOCDADOS];
  a.le(h, 2, FIM);
  if (h[0] != 'B' || h[1] != 'M') aborta("Erro IMGBIN::LeBmp - BMP invalido");
  a.le(h + 2, 12, FIM);
  if (lecampo(h, 10, 4) != DESLOCDADOS) aborta("Erro IMGBIN::LeBmp - ImageDataOffset");
  a.le(h + 14, TAMINFO, FIM);
  confereinfo(h);
  a.le(h + 54, 8, FIM);
  return {static_cast<int32_t>(lecampo(h, 18, 4)), static_cast<int32_t>(lecampo(h, 22, 4)),
          cinza(h + 58) < cinza(h + 54)};
}

// Bytes of pixel data a header announces; -1 when the image cannot be allocated at all.
long long bytesdados(const CABECALHO& c) {
  if (c.larg <= 0 || c.alt <= 0) return 0;
  if (static_cast<long long>(c.larg) * c.alt > INT_MAX) return -1;
  return 4LL * (((c.larg - 1) >> 5) + 1) * c.alt;
}

}  // namespace

void IMGBIN::LeBmp(const char* nome) {
  ARQUIVO a(nome, "rb", "Erro IMGBIN::LeBmp - Abertura de ",
            "Erro IMGBIN::LeBmp - Falta memoria setvbuf");
  CABECALHO c = lecabecalho(a);
  long long bytes = bytesdados(c);
  if (bytes > 0 && !cabembytes(a, bytes)) aborta(FIM);
  *this = IMGBIN(c.alt, c.larg);  // an oversized header stops here with aloca's message
  // The file's first row is the image's last. An image without pixels has no row table.
  if (nw_ > 0)
    for (int l = nl_ - 1; l >= 0; l--) a.le(lin[l], 4 * static_cast<size_t>(nwl_), FIM);
  a.fecha();
  const BYTE* p = reinterpret_cast<const BYTE*>(data);
  uint32_t inv = c.inverte ? ~0u : 0u;  // so that 1 always stands for the lighter colour
  for (int i = 0; i < nw_; i++) data[i] = lebe32(p + 4 * static_cast<size_t>(i)) ^ inv;
}

void IMGBIN::ImpBmp(const char* nome) const {
  if (nl_ < 1 || nc_ < 1) aborta("Erro IMGBIN:ImpBmp - Imagem nula ", nome);
  ARQUIVO a(nome, "wb", "Erro IMGBIN::ImpBmp - abertura de ",
            "Erro IMGBIN::ImpBmp - Faltou memoria setvbuf");
  const uint32_t tamarq = static_cast<uint32_t>(DESLOCDADOS + 4LL * nw_);
  const CAMPO campos[] = {{0, 2, 'B' | 'M' << 8}, {2, 4, tamarq},   {10, 4, DESLOCDADOS},
                          {14, 4, TAMINFO},        {18, 4, uint32_t(nc_)}, {22, 4, uint32_t(nl_)},
                          {26, 2, 1},              {28, 2, 1},       {46, 4, 2},
                          {50, 4, 2},              {58, 4, 0x00FFFFFF}};  // palette: black, white
  BYTE h[DESLOCDADOS] = {};
  for (const CAMPO& c : campos) poecampo(h, c);
  a.escreve(h, DESLOCDADOS, ESCRITA);
  std::vector<BYTE> linha(4 * static_cast<size_t>(nwl_));
  for (int l = nl_ - 1; l >= 0; l--) {
    for (int w = 0; w < nwl_; w++) poebe32(&linha[4 * static_cast<size_t>(w)], lin[l][w]);
    a.escreve(linha.data(), linha.size(), ESCRITA);
  }
  a.fecha(ESCRITA);
}
