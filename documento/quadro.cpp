#include "quadro.h"

// libfec's header declares C functions without saying so.
extern "C" {
#include <fec.h>
}

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "core/aborta.h"

namespace {

// Reed-Solomon parameters of version 1.
constexpr int SIMBOLO = 8, POLINOMIO = 0x11d, PRIMEIRARAIZ = 1, PRIMITIVO = 1, BLOCO = 255;

// A byte whose weakest group correlates less than this is handed to the decoder as an erasure.
constexpr double LIMIARAPAGAMENTO = 0.25;

struct LIBERARS {
  void operator()(void* rs) const { free_rs_char(rs); }
};
using CODIGORS = std::unique_ptr<void, LIBERARS>;

// The code of a frame of n bytes with r parity bytes, built once: a read tries every parity.
void* codigo(int n, int r) {
  static std::mutex trava;
  static std::map<std::pair<int, int>, CODIGORS> codigos;
  std::lock_guard<std::mutex> t(trava);
  CODIGORS& c = codigos[{n, r}];
  if (!c) c.reset(init_rs_char(SIMBOLO, POLINOMIO, PRIMEIRARAIZ, PRIMITIVO, r, BLOCO - n));
  return c.get();
}

bool especievalida(int e) { return e >= 1 && e <= 3; }

// The payload length the header of q announces, or 0 when the header is not one of s's version.
int comprimentodocabecalho(const std::vector<uint8_t>& q, const SELO& s) {
  const int n = static_cast<int>(q.size());
  if (q[0] >> 4 != static_cast<int>(s.prova) || !especievalida(q[0] & 15)) return 0;
  const int l = q[1];
  return l >= 1 && l <= cargamaxima(n, s) ? l : 0;
}

// The frame is whole: a consistent header for parity r and the proof of header and payload.
bool confere(const std::vector<uint8_t>& q, int r, const SELO& s) {
  const int n = static_cast<int>(q.size()), l = comprimentodocabecalho(q, s);
  if (l == 0 || paridade(n, l, s) != r) return false;
  return s.confere(q.data(), BYTESCABECALHO + l, q.data() + BYTESCABECALHO + l);
}

// The least sure bytes below the threshold, weakest first, at most r - 2 of them so that the
// decoder keeps the power to find one error of its own.
std::vector<int> apagamentos(const std::vector<double>& confianca, int r) {
  std::vector<int> pos;
  for (int i = 0; i < static_cast<int>(confianca.size()); i++)
    if (confianca[i] < LIMIARAPAGAMENTO) pos.push_back(i);
  std::stable_sort(pos.begin(), pos.end(),
                   [&](int a, int b) { return confianca[a] < confianca[b]; });
  if (static_cast<int>(pos.size()) > r - 2) pos.resize(std::max(r - 2, 0));
  return pos;
}

// One decoding of q as a frame with r parity bytes; true when it yields a whole frame.
bool tenta(std::vector<uint8_t>& q, int r, const std::vector<double>& confianca, const SELO& s) {
  const int n = static_cast<int>(q.size());
  std::vector<int> pos = apagamentos(confianca, r);
  const int napagados = static_cast<int>(pos.size());
  pos.resize(r);  // the decoder writes the corrected positions back into this array
  void* rs = codigo(n, r);
  if (!rs || decode_rs_char(rs, q.data(), pos.data(), napagados) < 0) return false;
  return confere(q, r, s);
}

}  // namespace

int bytesdoquadro(int nbits) { return std::min(nbits / 8, BLOCO); }

int cargamaxima(int n, const SELO& s) { return n - BYTESCABECALHO - s.bytes() - PARIDADEMINIMA; }

int paridade(int n, int l, const SELO& s) { return n - BYTESCABECALHO - s.bytes() - l; }

std::vector<uint8_t> codificaquadro(const CARGA& c, int n, const SELO& s) {
  const int l = static_cast<int>(c.bytes.size());
  if (l < 1 || l > cargamaxima(n, s)) aborta("Erro: Carga fora da capacidade do quadro");
  std::vector<uint8_t> q(n, 0);
  q[0] = static_cast<uint8_t>(static_cast<int>(s.prova) << 4 | static_cast<int>(c.especie));
  q[1] = static_cast<uint8_t>(l);
  std::copy(c.bytes.begin(), c.bytes.end(), q.begin() + BYTESCABECALHO);
  const std::vector<uint8_t> prova = s.sela(q.data(), BYTESCABECALHO + l);
  if (static_cast<int>(prova.size()) != s.bytes()) aborta("Erro: Prova do quadro indisponivel");
  std::copy(prova.begin(), prova.end(), q.begin() + BYTESCABECALHO + l);
  poeparidade(q, paridade(n, l, s));
  return q;
}

void poeparidade(std::vector<uint8_t>& q, int r) {
  const int n = static_cast<int>(q.size());
  void* rs = codigo(n, r);
  if (!rs) aborta("Erro: Codigo Reed-Solomon indisponivel");
  encode_rs_char(rs, q.data(), q.data() + n - r);
}

DECODIFICACAO decodificaquadro(const std::vector<uint8_t>& lido,
                               const std::vector<double>& confianca, const SELO& s) {
  DECODIFICACAO d;
  const int n = static_cast<int>(lido.size());
  if (n > BLOCO || cargamaxima(n, s) < 1) return d;
  if (!confianca.empty() && static_cast<int>(confianca.size()) != n) return d;
  // The parity the header as read announces goes first; a misread header must not end the
  // read, so every other parity is tried after it.
  std::vector<int> candidatas;
  const int lido_l = comprimentodocabecalho(lido, s);
  if (lido_l) candidatas.push_back(paridade(n, lido_l, s));
  for (int l = 1; l <= cargamaxima(n, s); l++)
    if (l != lido_l) candidatas.push_back(paridade(n, l, s));
  for (int r : candidatas) {
    std::vector<uint8_t> q = lido;
    if (!tenta(q, r, confianca, s)) continue;
    d.verificado = true;
    d.carga.especie = static_cast<ESPECIE>(q[0] & 15);
    d.carga.bytes.assign(q.begin() + BYTESCABECALHO, q.begin() + BYTESCABECALHO + q[1]);
    for (int i = 0; i < n; i++) d.corrigidos += q[i] != lido[i];
    return d;
  }
  return d;
}

std::vector<bool> bitsdoquadro(const std::vector<uint8_t>& quadro) {
  std::vector<bool> bits;
  for (uint8_t b : quadro)
    for (int k = 7; k >= 0; k--) bits.push_back((b >> k) & 1);
  return bits;
}

std::vector<uint8_t> bytesdosbits(const std::vector<bool>& bits) {
  std::vector<uint8_t> q(bits.size() / 8, 0);
  for (size_t i = 0; i < q.size() * 8; i++)
    if (bits[i]) q[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
  return q;
}
