// 24-bit AVI films into an I3DCOR: the RIFF tree is descended list by list, each level keeping
// the count of its bytes still unread, which must come out at exactly zero.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "volume/cabemquadros.h"
#include "volume/volumes.h"

namespace {

constexpr size_t TAMBUF = 65536;  // the largest chunk read, unless frames are larger
const char* const FIM = "Erro: Fim de arquivo inesperado";

class LEITOR24 {
 public:
  LEITOR24(I3DCOR& v, const char* nome)
      : v_(v), a_(nome, "rb", "Erro: Abertura de ", "Erro: Falta memoria setvbuf"), buf_(TAMBUF) {}

  void riff() {
    BYTE id[4];
    long long s = 8;
    uint32_t tam = cabecalho(id, s);
    if (!ehid(id, "RIFF")) aborta("Erro: Nao-RIFF");
    s = tam;
    if (!ehid(le(4, s), "AVI ")) aborta("Erro: Nao-AVI_");
    tam = semjunk(id, s);
    if (!ehid(id, "LIST")) aborta("Erro: Nao-LIST 2");
    s -= tam;
    hdrl(tam);
    tam = semjunk(id, s);
    if (!ehid(id, "LIST")) {
      std::printf("%c%c%c%c", id[0], id[1], id[2], id[3]);
      aborta("Erro: Nao-LIST 3");
    }
    s -= tam;
    movi(tam);
    // What follows the frames ("idx1", "JUNK" or anything else) is skipped whole.
    while (s > 0) {
      tam = cabecalho(id, s);
      s -= tam;
      pula(tam);
    }
    if (s != 0) aborta("Erro anariff: s!=0");
    a_.fecha();
  }

 private:
  I3DCOR& v_;
  ARQUIVO a_;
  std::vector<BYTE> buf_;
  uint32_t total_ = 0, largura_ = 0, altura_ = 0;

  // Reads n bytes of a list whose count is s. A chunk larger than the limit is refused, and a
  // buffer grows for a frame only once the file is known to hold it.
  const BYTE* le(uint32_t n, long long& s, size_t limite = TAMBUF) {
    if (std::feof(a_)) aborta(FIM);
    if (n > limite) aborta("Erro: Chunk muito grande");
    if (n > buf_.size()) {
      if (!cabemquadros(a_, 1, n)) aborta(FIM);
      buf_.resize(n);
    }
    a_.le(buf_.data(), n, FIM);
    // A short chunk reads as zeros past its end: the fields of a header, the rows of a frame.
    size_t fim = std::min(buf_.size(), std::max<size_t>(64, tamquadro()));
    if (n < fim) std::fill(buf_.begin() + n, buf_.begin() + static_cast<long>(fim), 0);
    s -= n;
    return buf_.data();
  }
  void pula(uint32_t n) {
    if (std::feof(a_) || !cabemquadros(a_, 1, n)) aborta(FIM);
    std::fseek(a_, static_cast<long>(n), SEEK_CUR);
  }
  uint32_t cabecalho(BYTE id[4], long long& s) {
    const BYTE* h = le(8, s);
    std::memcpy(id, h, 4);
    return le32(h + 4);
  }
  // The next chunk after any "JUNK" chunks.
  uint32_t semjunk(BYTE id[4], long long& s) {
    for (;;) {
      uint32_t tam = cabecalho(id, s);
      if (!ehid(id, "JUNK")) return tam;
      s -= tam;
      pula(tam);
    }
  }

  void hdrl(long long s) {
    if (!ehid(le(4, s), "hdrl")) aborta("Erro: Nao-hdrl");
    BYTE id[4];
    uint32_t tam = semjunk(id, s);
    if (!ehid(id, "avih")) aborta("Erro: Nao-avih");
    const BYTE* h = le(tam, s);
    avih(le32(h), le32(h + 16), le32(h + 32), le32(h + 36));
    while (s > 0) {
      tam = cabecalho(id, s);
      s -= tam;
      if (ehid(id, "JUNK")) {
        pula(tam);
        continue;
      }
      if (!ehid(id, "LIST")) aborta("Erro: Nao-LIST 1");
      strl(tam);
    }
    if (s != 0) aborta("Erro anaavih: s!=0");
  }

  // The volume takes the film's sizes once the file is known to hold the frames announced.
  void avih(uint32_t periodo, uint32_t total, uint32_t largura, uint32_t altura) {
    total_ = total;
    largura_ = largura;
    altura_ = altura;
    if (largura > INT32_MAX || altura > INT32_MAX || total > INT32_MAX ||
        !cabemquadros(a_, total, tamquadro() + 8.0L))
      aborta(FIM);
    v_.resize(static_cast<int>(total), static_cast<int>(altura), static_cast<int>(largura));
    v_.periodo = static_cast<int>(periodo);
  }
  uint64_t linha() const { return (3 * static_cast<uint64_t>(largura_) + 3) / 4 * 4; }
  uint64_t tamquadro() const { return linha() * altura_; }

  void strl(long long s) {
    if (!ehid(le(4, s), "strl")) {
      pula(static_cast<uint32_t>(std::max(s, 0LL)));
      return;
    }
    bool video = false;
    BYTE id[4];
    while (s > 0) {
      uint32_t tam = cabecalho(id, s);
      if (ehid(id, "strh")) {
        video = strh(le(tam, s)) || video;
      } else if (ehid(id, "strf") && video) {
        strf(le(tam, s));
      } else {
        s -= tam;
        pula(tam);
      }
    }
    if (s != 0) aborta("Erro anaavih: s!=0");
  }
  bool strh(const BYTE* h) {
    if (!ehid(h, "vids")) return false;
    if (!ehid(h + 4, "DIB ")) aborta("Erro: Cod nao-DIB");
    double escala = le32(h + 20), taxa = le32(h + 24);
    if (!(std::fabs(escala * 1000000 / taxa - v_.periodo) <= 1000))
      aborta("Erro LeAvi(I3DCOR): rate e fd nao concordam");
    return true;
  }
  void strf(const BYTE* h) {
    if (le16(h + 12) != 1) aborta("Erro: nplanes!=1");
    if (le16(h + 14) != 24) aborta("Erro: bitspix!=24");
    if (le32(h + 16) != 0) aborta("Erro: compression!=0");
  }

  void movi(long long s) {
    if (!ehid(le(4, s), "movi")) aborta("Erro: Nao-movi");
    size_t limite = std::max<size_t>(TAMBUF, tamquadro());
    uint32_t k = 0;
    BYTE id[4];
    while (s > 0) {
      uint32_t tam = cabecalho(id, s);
      if (ehid(id, "00db")) {
        const BYTE* b = le(tam, s, limite);
        if (k < total_)
          quadro(static_cast<int>(k), b);
        else
          extra(b, tam);
        k++;
      } else {
        s -= tam;
        pula(tam);
      }
    }
    if (s != 0) aborta("Erro anamovi: s!=0");
    if (k < total_) aborta("Erro anamovi: menos quadros que o anunciado");
  }
  // Rows are stored from the bottom up, pixels as blue, green, red. The file is known to hold
  // the announced frames, so the buffer can take a whole one; a short chunk reads as zeros.
  void quadro(int k, const BYTE* b) {
    if (largura_ == 0) return;  // rows of no pixels hold nothing, however many
    if (buf_.size() < tamquadro()) {  // past the chunk the buffer is zero already
      buf_.resize(tamquadro());
      b = buf_.data();
    }
    for (int r = 0; r < static_cast<int>(altura_); r++) {
      const BYTE* p = b + (altura_ - 1 - static_cast<uint32_t>(r)) * linha();
      for (int c = 0; c < static_cast<int>(largura_); c++, p += 3)
        v_(k, r, c) = COR(p[2], p[1], p[0]);
    }
  }
  // A frame beyond the volume's count falls into its backg pixel by pixel, so backg ends
  // holding the frame's last pixel: the last of the bottom row stored first. Only that pixel
  // is read, since such a frame's size was never checked against the file.
  void extra(const BYTE* b, uint32_t tam) {
    if (largura_ == 0 || altura_ == 0) return;
    const uint64_t p = 3 * (static_cast<uint64_t>(largura_) - 1);
    v_.backg = p + 3 <= tam ? COR(b[p + 2], b[p + 1], b[p]) : COR();
  }
};

}  // namespace

void I3DCOR::LeAvi(const char* nome) { LEITOR24(*this, nome).riff(); }
