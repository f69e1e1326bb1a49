// Key files: 8 bytes that say what the file holds, then 32 bytes.
//   "MVDOCMAC"  a secret key for MACs (keygen)
//   "MVDOCSEC"  the seed of an Ed25519 signing key pair (keygen --public), secret
//   "MVDOCPUB"  the Ed25519 public key of such a pair (KEYFILE.pub), shareable
// A key gives the layout seed of the marks (so the positions are secret with a MAC key and
// follow the public key with a signing pair) and the proof of the frame; both are derived with
// HMAC-SHA-256 under distinct labels.
#pragma once

#include <string>
#include <vector>

#include "selo.h"

enum class TIPOCHAVE { MAC, SECRETA, PUBLICA };

struct CHAVE {
  TIPOCHAVE tipo = TIPOCHAVE::MAC;
  std::vector<uint8_t> bytes;  // 32
};

constexpr int BYTESCHAVE = 32;

// Reads a key file; on failure returns false with the reason in erro (never the key's bytes).
// A secret key readable by group or others is refused.
bool lechave(const std::string& nome, CHAVE& k, std::string& erro);

// Writes a new MAC key (mode 0600), or a signing pair as nome (0600) and nome + ".pub" (0644),
// from the operating system's generator; refuses to overwrite any file.
bool geramac(const std::string& nome, std::string& erro);
bool gerapar(const std::string& nome, std::string& erro);

// The layout seed a key gives: 1 .. 2^31 - 2.
int sementedachave(const CHAVE& k);

// The proof a key gives: a MAC key signs and checks MACs; a secret signing key signs (and
// checks); a public key checks signatures.
SELO selodachave(const CHAVE& k);

// Whether the file begins as a key file does (any of the three kinds).
bool ehchave(const char* nome);

// What the file of a key of this kind is called in messages.
const char* nomedotipo(TIPOCHAVE t);
