// 8-bit AVI films into an I3DGRY: the chunks are expected in a fixed order ("JUNK" chunks
// skipped anywhere before the frames), and palette indices become grey values.
#include <cstdint>
#include <string>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "core/vetor.h"
#include "volume/cabemquadros.h"
#include "volume/volumes.h"

namespace {

constexpr size_t TAMAREA = 4096;  // what a chunk before the frames may hold
const char* const FIM = "Erro: Fim de arquivo inesperado";

class LEITOR8 {
 public:
  BYTE area[TAMAREA];

  explicit LEITOR8(const char* nome)
      : a_(nome, "rb", "Erro LeAvi(I3DGRY) - Abertura de ",
           "Erro LeAvi(I3DGRY) - Falta memoria setvbuf") {}

  ARQUIVO& arquivo() { return a_; }

  // The identifier and size of the next chunk.
  uint32_t cabecalho(BYTE id[4]) {
    BYTE h[8];
    a_.le(h, 8, FIM);
    std::memcpy(id, h, 4);
    return le32(h + 4);
  }
  // Reads a chunk's data into the work area; bytes past a short chunk read as zero.
  void dados(uint32_t tam) {
    if (tam > TAMAREA) aborta("Erro: Chunk muito grande");
    std::fill(area, area + TAMAREA, 0);
    a_.le(area, tam, FIM);
  }
  // The next chunk other than the skippable ones must be id; returns its size.
  uint32_t espera(const char* id, const char* msg, const char* pula2 = "JUNK") {
    for (;;) {
      BYTE h[4];
      uint32_t tam = cabecalho(h);
      if (ehid(h, id)) return tam;
      if (!ehid(h, "JUNK") && !ehid(h, pula2)) aborta(msg);
      dados(tam);
    }
  }
  void lista(const char* tipo, const char* msgtipo, const char* pula2 = "JUNK") {
    espera("LIST", "Erro LeAvi(I3DGRY): Nao-LIST", pula2);
    a_.le(area, 4, FIM);
    if (!ehid(area, tipo)) aborta(msgtipo);
  }

 private:
  ARQUIVO a_;
};

// The grey value of every palette entry of the "strf" chunk in the work area.
VETOR<BYTE> tabelacinza(LEITOR8& r, uint32_t tam) {
  r.dados(tam);
  if (le16(r.area + 12) != 1 || le16(r.area + 14) != 8) aborta("Erro: Tipo AVI");
  if (le32(r.area + 16) != 0) aborta("Erro: Tipo compressao");
  uint64_t cores = le32(r.area + 32);
  if (tam != 40 + 4 * cores) aborta("Erro: Tamanho palette invalido");
  VETOR<BYTE> cinza(static_cast<int>(cores));
  for (int i = 0; i < cinza.n(); i++) {
    const BYTE* p = r.area + 40 + 4 * i;
    cinza.data[i] = static_cast<BYTE>((p[0] + p[1] + p[2] + 1) / 3);
  }
  return cinza;
}

}  // namespace

void I3DGRY::LeAvi(const char* nome) {
  LEITOR8 r(nome);
  ARQUIVO& a = r.arquivo();
  BYTE h[12];
  a.le(h, 12, FIM);
  if (!ehid(h, "RIFF")) aborta("Erro LeAvi(I3DGRY): Nao-RIFF");
  if (!ehid(h + 8, "AVI ")) aborta("Erro LeAvi(I3DGRY): Nao-AVI_");
  r.lista("hdrl", "Erro LeAvi(I3DGRY): Nao-hdrl");
  r.dados(r.espera("avih", "Erro LeAvi(I3DGRY): Nao-avih"));
  uint32_t total = le32(r.area + 16), largura = le32(r.area + 32), altura = le32(r.area + 36);
  r.lista("strl", "Erro LeAvi(I3DGRY): Nao-strl");
  r.dados(r.espera("strh", "Erro LeAvi(I3DGRY): Nao-strh"));
  if (!ehid(r.area, "vids") || !ehid(r.area + 4, "DIB "))
    aborta("Erro LeAvi(I3DGRY): Nao-vidsDIB_");
  VETOR<BYTE> cinza = tabelacinza(r, r.espera("strf", "Erro LeAvi(I3DGRY): Nao-strf"));
  r.lista("movi", "Erro LeAvi(I3DGRY): Nao-movi", "strn");

  // The frames the header announces must be in the file before the volume is sized for them.
  uint64_t linha = (static_cast<uint64_t>(largura) + 3) / 4 * 4, tamq = linha * altura;
  if (largura > INT32_MAX || altura > INT32_MAX || !cabemquadros(a, total, tamq + 8.0L))
    aborta(FIM);
  resize(static_cast<int>(total), static_cast<int>(altura), static_cast<int>(largura));
  std::vector<BYTE> buf(nq() > 0 ? tamq : 0);  // checked against the file just above
  for (int q = 0; q < nq(); q++) {
    uint32_t tam = r.cabecalho(h);
    if (!ehid(h, "00db")) aborta("Erro LeAvi(I3DGRY): Nao-00db");
    if (tam != tamq) aborta("Erro LeAvi(I3DGRY): tamimg!=chunk.size");
    if (std::feof(a)) aborta(FIM);
    a.le(buf.data(), tamq, FIM);
    // Rows are stored from the bottom up; rows of no pixels hold nothing, however many.
    for (int l = 0; nc() > 0 && l < nl(); l++) {
      const BYTE* linhaarq = buf.data() + (nl() - 1 - l) * linha;
      for (int c = 0; c < nc(); c++) quadros[q].lin[l][c] = cinza(linhaarq[c]);
    }
  }
  a.fecha();
}
