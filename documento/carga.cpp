#include "carga.h"

#include <cstdint>

#include "utf8.h"

namespace {

int valorhex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool cargadetexto(const std::string& s, CARGA& c, std::string& erro) {
  if (s.empty()) return erro = "the text is empty", false;
  for (size_t i = 0; i < s.size();) {
    const int n = sequenciautf8(s, i);
    if (n == 0) return erro = "the text is not valid UTF-8", false;
    i += n;
  }
  c.especie = ESPECIE::TEXTO;
  c.bytes.assign(s.begin(), s.end());
  return true;
}

bool cargadenumero(const std::string& s, CARGA& c, std::string& erro) {
  if (s.empty()) return erro = "the number is empty", false;
  uint64_t v = 0;
  for (char d : s) {
    if (d < '0' || d > '9') return erro = "the number must be decimal digits only", false;
    const uint64_t k = static_cast<uint64_t>(d - '0');
    if (v > (UINT64_MAX - k) / 10) return erro = "the number must be below 2^64", false;
    v = v * 10 + k;
  }
  c.especie = ESPECIE::NUMERO;
  c.bytes.clear();
  do {
    c.bytes.insert(c.bytes.begin(), static_cast<uint8_t>(v & 0xFF));
    v >>= 8;
  } while (v);
  return true;
}

bool cargadehex(const std::string& s, CARGA& c, std::string& erro) {
  if (s.empty()) return erro = "the hex payload is empty", false;
  if (s.size() % 2) return erro = "the hex payload must have an even number of digits", false;
  c.especie = ESPECIE::HEX;
  c.bytes.clear();
  for (size_t i = 0; i < s.size(); i += 2) {
    const int a = valorhex(s[i]), b = valorhex(s[i + 1]);
    if (a < 0 || b < 0) return erro = "the hex payload must be hex digits only", false;
    c.bytes.push_back(static_cast<uint8_t>(a << 4 | b));
  }
  return true;
}

std::string hexde(const std::vector<uint8_t>& b) {
  static const char D[] = "0123456789abcdef";
  std::string s;
  for (uint8_t x : b) {
    s += D[x >> 4];
    s += D[x & 15];
  }
  return s;
}

std::string mostracarga(const CARGA& c) {
  switch (c.especie) {
    case ESPECIE::TEXTO:
      return std::string(c.bytes.begin(), c.bytes.end());
    case ESPECIE::NUMERO: {
      // A verified frame holds at most 8 bytes of number; a longer one cannot have been signed.
      if (c.bytes.size() > 8) return "0x" + hexde(c.bytes);
      uint64_t v = 0;
      for (uint8_t x : c.bytes) v = v << 8 | x;
      return std::to_string(v);
    }
    default:
      return hexde(c.bytes);
  }
}

const char* nomedaespecie(ESPECIE e) {
  switch (e) {
    case ESPECIE::TEXTO:
      return "text";
    case ESPECIE::NUMERO:
      return "number";
    default:
      return "hex";
  }
}
