// The proof a frame carries over its header and payload, named by the frame's version:
//   1  CRC-32 (zlib's, big-endian): the frame is intact
//   2  HMAC-SHA-256 truncated to 4 bytes, under a key: the frame was made by the key's holder
//   3  Ed25519 detached signature, 64 bytes: made by the holder of the secret key, checked by
//      anyone with the public key
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PROVA : uint8_t { CRC = 1, MAC = 2, ASSINATURA = 3 };

struct SELO {
  PROVA prova = PROVA::CRC;
  std::vector<uint8_t> chave;    // MAC: the authentication key; signature: the public key
  std::vector<uint8_t> secreta;  // signature: the secret key, only when signing

  // Bytes of the proof field.
  int bytes() const;
  // The proof of the n bytes at m (needs secreta for a signature).
  std::vector<uint8_t> sela(const uint8_t* m, int n) const;
  // Whether campo (bytes() long) proves the n bytes at m; MACs are compared in constant time.
  bool confere(const uint8_t* m, int n, const uint8_t* campo) const;
};

// HMAC-SHA-256 of the n bytes at m under chave (32 bytes).
std::vector<uint8_t> hmacsha256(const std::vector<uint8_t>& chave, const uint8_t* m, size_t n);

// Readies the cryptographic library, once per process (every call below does it).
void iniciasodio();

// "none", "mac" or "signature", as the JSON output names them.
const char* nomedaprova(PROVA p);
