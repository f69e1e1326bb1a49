// Native volume files of I3DSHT, I3DFLT and I3DCPX: the volume marker ("I3DFLT*" and 0x1A), the
// frame count, then every frame as a native IMG image record (marker, pixel size, nl, nc, lc,
// cc, pixels), all integers 32-bit little-endian.
#include <string>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "volume/cabemquadros.h"
#include "volume/volumes.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "volume pixels are little-endian");

namespace {

constexpr size_t TAMMARCA = 8;
constexpr size_t TAMQUADRO = 28;  // frame record without its pixels

// The class's messages, built from its name and the name of its frames.
template <class V>
struct MSGVOL {
  std::string pre = std::string("Erro ") + V::NOME + "::";
  std::string abertura = pre + "LeImg - Abertura de ",
              buffer = pre + "LeImg - Faltou memoria setvbuf";
  std::string formato1 = pre + "LeImg - Formato incorreta 1";
  std::string formato2 = pre + "LeImg - Formato incorreta 2";
  std::string fim = pre + "LeImg - Fim inesperado 3";
  std::string impabertura = pre + "ImpImg - Abertura de ";
  std::string impbuffer = pre + "ImpImg - Faltou memoria setvbuf";
  std::string escrita = pre + "ImpImg - Escrita de ";
};

void marca(BYTE* p, const char* nome) {
  std::memcpy(p, nome, 6);
  p[6] = '*';
  p[7] = 0x1A;
}

// The marker is a text: it ends at the first zero byte within its 7 bytes.
bool marcavale(const BYTE* p, const char* nome) {
  return std::strlen(nome) == 6 && std::memcmp(p, nome, 6) == 0 && p[6] == '*';
}

template <class V>
using QUADRO = typename V::ELEMENTO;

template <class V>
constexpr int32_t TAMPIXEL = sizeof(typename V::PIXEL);

template <class V>
void levol(V& v, const char* nome) {
  MSGVOL<V> m;
  ARQUIVO a(nome, "rb", m.abertura.c_str(), m.buffer.c_str());
  BYTE cab[TAMQUADRO];
  if (a.leate(cab, TAMMARCA) != TAMMARCA || !marcavale(cab, V::NOME)) aborta(m.formato1.c_str());
  a.le(cab, 4, m.fim.c_str());
  int32_t nq = leint32(cab);
  if (nq < 1) v.resize(0, 0, 0);
  for (int q = 0; q < nq; q++) {
    a.le(cab, 20, m.fim.c_str());
    if (!marcavale(cab, QUADRO<V>::NOME) || leint32(cab + 8) != TAMPIXEL<V>)
      aborta(m.formato2.c_str());
    int32_t nl = leint32(cab + 12), nc = leint32(cab + 16);
    if (nl < 0 || nc < 0) aborta(m.formato2.c_str());
    if (q == 0) {
      // The frames announced must be in the file before the volume is sized for them.
      long double px = static_cast<long double>(nl) * nc * TAMPIXEL<V>;
      if (!cabemquadros(a, 1, nq * (TAMQUADRO + px) - 20)) aborta(m.fim.c_str());
      v.resize(nq, nl, nc);
    } else if (nl != v.nl() || nc != v.nc()) {
      aborta("Erro: Dimensoes de imagens diferentes");
    }
    a.le(cab, 8, m.fim.c_str());
    QUADRO<V>& f = v.quadros[q];
    f.lc = leint32(cab);
    f.cc = leint32(cab + 4);
    a.le(f.data, static_cast<size_t>(f.n()) * TAMPIXEL<V>, m.fim.c_str());
  }
  a.fecha();
}

template <class V>
void impvol(const V& v, const char* nome) {
  MSGVOL<V> m;
  ARQUIVO a(nome, "wb", m.impabertura.c_str(), m.impbuffer.c_str());
  const char* esc = m.escrita.c_str();
  BYTE cab[TAMQUADRO];
  marca(cab, V::NOME);
  poe32(cab + TAMMARCA, static_cast<uint32_t>(v.nq()));
  a.escreve(cab, TAMMARCA + 4, esc);
  for (int q = 0; q < v.nq(); q++) {
    const QUADRO<V>& f = v.quadros[q];
    marca(cab, QUADRO<V>::NOME);
    const int32_t campos[] = {TAMPIXEL<V>, f.nl(), f.nc(), f.lc, f.cc};
    for (int i = 0; i < 5; i++) poe32(cab + TAMMARCA + 4 * i, static_cast<uint32_t>(campos[i]));
    a.escreve(cab, TAMQUADRO, esc);
    a.escreve(f.data, static_cast<size_t>(f.n()) * TAMPIXEL<V>, esc);
  }
  a.fecha(esc);
}

}  // namespace

void I3DSHT::LeImg(const char* nome) { levol(*this, nome); }
void I3DFLT::LeImg(const char* nome) { levol(*this, nome); }
void I3DCPX::LeImg(const char* nome) { levol(*this, nome); }

void I3DSHT::ImpImg(const char* nome) const { impvol(*this, nome); }
void I3DFLT::ImpImg(const char* nome) const { impvol(*this, nome); }
void I3DCPX::ImpImg(const char* nome) const { impvol(*this, nome); }
