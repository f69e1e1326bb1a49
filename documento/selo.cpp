#include "selo.h"

#include <sodium.h>
#include <zlib.h>

namespace {

constexpr int BYTESCRC = 4, BYTESMAC = 4;

std::vector<uint8_t> crc(const uint8_t* m, int n) {
  const uint32_t v = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), m, static_cast<uInt>(n)));
  return {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

// The tag: the HMAC truncated to its first BYTESMAC bytes.
std::vector<uint8_t> mac(const std::vector<uint8_t>& chave, const uint8_t* m, int n) {
  std::vector<uint8_t> h = hmacsha256(chave, m, static_cast<size_t>(n));
  h.resize(BYTESMAC);
  return h;
}

}  // namespace

void iniciasodio() {
  static const int pronto = sodium_init();
  (void)pronto;
}

std::vector<uint8_t> hmacsha256(const std::vector<uint8_t>& chave, const uint8_t* m, size_t n) {
  iniciasodio();
  std::vector<uint8_t> h(crypto_auth_hmacsha256_BYTES);
  crypto_auth_hmacsha256_state st;
  crypto_auth_hmacsha256_init(&st, chave.data(), chave.size());
  crypto_auth_hmacsha256_update(&st, m, n);
  crypto_auth_hmacsha256_final(&st, h.data());
  return h;
}

int SELO::bytes() const {
  switch (prova) {
    case PROVA::CRC:
      return BYTESCRC;
    case PROVA::MAC:
      return BYTESMAC;
    default:
      return crypto_sign_BYTES;
  }
}

std::vector<uint8_t> SELO::sela(const uint8_t* m, int n) const {
  iniciasodio();
  switch (prova) {
    case PROVA::CRC:
      return crc(m, n);
    case PROVA::MAC:
      return mac(chave, m, n);
    default: {
      std::vector<uint8_t> s(crypto_sign_BYTES);
      if (secreta.size() != crypto_sign_SECRETKEYBYTES) return {};
      crypto_sign_detached(s.data(), nullptr, m, static_cast<unsigned long long>(n),
                           secreta.data());
      return s;
    }
  }
}

bool SELO::confere(const uint8_t* m, int n, const uint8_t* campo) const {
  iniciasodio();
  switch (prova) {
    case PROVA::CRC:
      return crc(m, n) == std::vector<uint8_t>(campo, campo + BYTESCRC);
    case PROVA::MAC:
      return sodium_memcmp(mac(chave, m, n).data(), campo, BYTESMAC) == 0;
    default:
      return chave.size() == crypto_sign_PUBLICKEYBYTES &&
             crypto_sign_verify_detached(campo, m, static_cast<unsigned long long>(n),
                                         chave.data()) == 0;
  }
}

const char* nomedaprova(PROVA p) {
  switch (p) {
    case PROVA::CRC:
      return "none";
    case PROVA::MAC:
      return "mac";
    default:
      return "signature";
  }
}
