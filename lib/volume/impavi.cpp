// Uncompressed AVI films: an 8-bit film with a grey palette for I3DGRY, a 24-bit film for
// I3DCOR. Both come from one header table, with a column of values for each kind, and one
// writer; only the pixels of a row differ.
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "volume/volumes.h"

namespace {

enum KIND { OITO, VINTEQUATRO };

// A header value: a constant, or a quantity of the film.
enum SIMBOLO { K, QUADROS, TAMQ, LARGURA, ALTURA, PERIODO, BYTESSEG, TAXA, RIFF, MOVI, DOBROTAMQ };
struct VALOR {
  SIMBOLO s;
  uint32_t k;
};

// One item of the header: a text of n bytes (zero-padded), a 32- or 16-bit value (one per
// kind), or the 8-bit film's palette.
enum ITEM { TEXTO, U32, U16, PALETA };
struct CAMPO {
  ITEM item;
  const char* texto;
  size_t n;
  VALOR v[2];
};

constexpr CAMPO T(const char* s, size_t n = 4) { return {TEXTO, s, n, {}}; }
constexpr CAMPO C(uint32_t k) { return {U32, nullptr, 4, {{K, k}, {K, k}}}; }
constexpr CAMPO C(uint32_t k8, uint32_t k24) { return {U32, nullptr, 4, {{K, k8}, {K, k24}}}; }
constexpr CAMPO C(SIMBOLO s) { return {U32, nullptr, 4, {{s, 0}, {s, 0}}}; }
constexpr CAMPO C(VALOR a, VALOR b) { return {U32, nullptr, 4, {a, b}}; }
constexpr CAMPO H(uint32_t k8, uint32_t k24) { return {U16, nullptr, 2, {{K, k8}, {K, k24}}}; }
constexpr CAMPO H(SIMBOLO s) { return {U16, nullptr, 2, {{s, 0}, {s, 0}}}; }
constexpr CAMPO P = {PALETA, nullptr, 1024, {}};

// Everything up to and including the "movi" list type.
// clang-format off
const CAMPO CABECALHO[] = {
  T("RIFF"), C(RIFF), T("AVI "),
  T("LIST"), C(1244, 220), T("hdrl"),
  T("avih"), C(56),
    C({K, 250000}, {PERIODO, 0}), C({DOBROTAMQ, 0}, {BYTESSEG, 0}), C(0), C(0x810), C(QUADROS),
    C(0), C(1), C(TAMQ), C(LARGURA), C(ALTURA), C(0), C(0), C(0), C(0),
  T("LIST"), C(1168, 144), T("strl"),
  T("strh"), C(56),
    T("vids"), T("DIB "), C(0), C(0), C(0), C(1000), C({K, 2000}, {TAXA, 0}), C(0), C(QUADROS),
    C(TAMQ), C(900), C(0), H(0, 0), H(0, 0), H(LARGURA), H(ALTURA),
  T("strf"), C(1064, 40),
    C(40), C(LARGURA), C(ALTURA), H(1, 1), H(8, 24), C(0), C(TAMQ), C(0), C(0), C(256, 0),
    C(256, 0), P,
  T("strn"), C(20), T("AVI Video Stream #1", 20),
  T("LIST"), C(MOVI), T("movi"),
};
// clang-format on

constexpr uint32_t BASERIFF[] = {1276, 252};  // RIFF size of a film without frames

struct FILME {
  KIND kind;
  int nq, nl, nc, periodo;
  uint32_t linha, tamq;

  uint32_t valor(const VALOR& v) const {
    switch (v.s) {
      case K:
        return v.k;
      case QUADROS:
        return static_cast<uint32_t>(nq);
      case TAMQ:
        return tamq;
      case LARGURA:
        return static_cast<uint32_t>(nc);
      case ALTURA:
        return static_cast<uint32_t>(nl);
      case PERIODO:
        return static_cast<uint32_t>(periodo);
      case BYTESSEG:
        return static_cast<uint32_t>(std::ceil(static_cast<float>(tamq) * 1000000.0f / periodo));
      case TAXA:
        return static_cast<uint32_t>(1000000000 / periodo);
      case RIFF:
        return BASERIFF[kind] + static_cast<uint32_t>(nq) * (tamq + 24);
      case MOVI:
        return static_cast<uint32_t>(nq) * (tamq + 8) + 4;
      case DOBROTAMQ:
        return 2 * tamq;
    }
    return 0;
  }
};

void escrevecabecalho(ARQUIVO& a, const FILME& f, const char* esc) {
  for (const CAMPO& c : CABECALHO) {
    BYTE b[1024] = {};
    size_t n = c.n;
    if (c.item == TEXTO) {
      std::memcpy(b, c.texto, std::min(n, std::strlen(c.texto)));
    } else if (c.item == U32) {
      poe32(b, f.valor(c.v[f.kind]));
    } else if (c.item == U16) {
      poe16(b, f.valor(c.v[f.kind]));
    } else {
      if (f.kind != OITO) continue;
      for (int i = 0; i < 256; i++) b[4 * i] = b[4 * i + 1] = b[4 * i + 2] = static_cast<BYTE>(i);
    }
    a.escreve(b, n, esc);
  }
}

struct MSGAVI {
  std::string nula, abertura, buffer, escrita, grande, periodo;
  explicit MSGAVI(const char* classe) {
    std::string pre = std::string("Erro ImpAvi(") + classe + ") - ";
    nula = pre + "Imagem nula ";
    abertura = pre + "abertura de ";
    buffer = pre + "Faltou memoria setvbuf";
    escrita = pre + "Escrita de ";
    grande = pre + "Filme muito grande para AVI ";
    periodo = pre + "periodo invalido";
  }
};

// pixels(q, l, row) fills the file bytes of row l of frame q (without the zero padding).
void escreveavi(const char* nome, const char* classe, KIND kind, int nq, int nl, int nc,
                int periodo, const std::function<void(int, int, BYTE*)>& pixels) {
  MSGAVI m(classe);
  if (nq < 1 || nl < 1 || nc < 1) aborta(m.nula.c_str(), nome);
  // Every size of the file is a 32-bit field, and the period is a divisor.
  uint64_t linha = (static_cast<uint64_t>(nc) * (kind == OITO ? 1 : 3) + 3) / 4 * 4;
  uint64_t total = BASERIFF[kind] + static_cast<uint64_t>(nq) * (linha * nl + 24);
  if (total > UINT32_MAX) aborta(m.grande.c_str(), nome);
  if (periodo < 1) aborta(m.periodo.c_str());
  FILME f{
      kind, nq, nl, nc, periodo, static_cast<uint32_t>(linha), static_cast<uint32_t>(linha * nl)};
  ARQUIVO a(nome, "wb", m.abertura.c_str(), m.buffer.c_str());
  const char* esc = m.escrita.c_str();
  escrevecabecalho(a, f, esc);
  std::unique_ptr<BYTE[]> buf(new (std::nothrow) BYTE[linha]());
  if (!buf) aborta("Erro ImpAvi - Falta memoria");
  BYTE ch[16];
  std::memcpy(ch, "00db", 4);
  poe32(ch + 4, f.tamq);
  for (int q = 0; q < nq; q++) {
    a.escreve(ch, 8, esc);
    for (int l = nl - 1; l >= 0; l--) {
      pixels(q, l, buf.get());
      a.escreve(buf.get(), linha, esc);
    }
  }
  std::memcpy(ch, "idx1", 4);
  poe32(ch + 4, 16 * static_cast<uint32_t>(nq));
  a.escreve(ch, 8, esc);
  for (int q = 0; q < nq; q++) {
    std::memcpy(ch, "00db", 4);
    poe32(ch + 4, 0x10);
    poe32(ch + 8, 4 + static_cast<uint32_t>(q) * (f.tamq + 8));
    poe32(ch + 12, f.tamq);
    a.escreve(ch, 16, esc);
  }
  a.fecha(esc);
}

}  // namespace

void I3DGRY::ImpAvi(const char* nome) const {
  escreveavi(nome, NOME, OITO, nq(), nl(), nc(), 250000, [this](int q, int l, BYTE* b) {
    for (int c = 0; c < nc(); c++) b[c] = (*this)(q, l, c);
  });
}

void I3DCOR::ImpAvi(const char* nome) const {
  escreveavi(nome, NOME, VINTEQUATRO, nq(), nl(), nc(), periodo, [this](int q, int l, BYTE* b) {
    for (int c = 0; c < nc(); c++) {
      const COR& p = (*this)(q, l, c);
      b[3 * c] = p.b;
      b[3 * c + 1] = p.g;
      b[3 * c + 2] = p.r;
    }
  });
}
