#include "chave.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "leiaute.h"

namespace {

struct TIPO {
  TIPOCHAVE tipo;
  const char* marca;  // 8 bytes
  const char* nome;
  bool secreta;
};
// clang-format off
const TIPO TIPOS[] = {
    {TIPOCHAVE::MAC,     "MVDOCMAC", "a MAC key",             true},
    {TIPOCHAVE::SECRETA, "MVDOCSEC", "a secret signing key",  true},
    {TIPOCHAVE::PUBLICA, "MVDOCPUB", "a public key",          false},
};
// clang-format on
constexpr size_t MARCA = 8;

const char ROTULOLEIAUTE[] = "morvia-doc layout v1";
const char ROTULOMAC[] = "morvia-doc mac v1";

const TIPO& tipode(TIPOCHAVE t) {
  for (const TIPO& x : TIPOS)
    if (x.tipo == t) return x;
  return TIPOS[0];
}

std::vector<uint8_t> hmac(const std::vector<uint8_t>& chave, const char* rotulo) {
  return hmacsha256(chave, reinterpret_cast<const uint8_t*>(rotulo), std::strlen(rotulo));
}

// The Ed25519 pair of a 32-byte seed.
void par(const std::vector<uint8_t>& semente, std::vector<uint8_t>& publica,
         std::vector<uint8_t>& secreta) {
  iniciasodio();
  publica.resize(crypto_sign_PUBLICKEYBYTES);
  secreta.resize(crypto_sign_SECRETKEYBYTES);
  crypto_sign_seed_keypair(publica.data(), secreta.data(), semente.data());
}

std::string motivo(const std::string& nome) { return nome + ": " + std::strerror(errno); }

// Creates nome, which must not exist, with the marked 32 bytes; removes it on any failure.
bool escreve(const std::string& nome, const TIPO& t, const uint8_t* b, mode_t modo,
             std::string& erro) {
  const int fd = open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL, modo);
  if (fd < 0) {
    erro = errno == EEXIST ? nome + ": exists; a key is never overwritten" : motivo(nome);
    return false;
  }
  uint8_t dados[MARCA + BYTESCHAVE];
  std::memcpy(dados, t.marca, MARCA);
  std::memcpy(dados + MARCA, b, BYTESCHAVE);
  bool ok = write(fd, dados, sizeof dados) == static_cast<ssize_t>(sizeof dados) && fsync(fd) == 0;
  if (!ok) erro = motivo(nome);
  ok = close(fd) == 0 && ok;
  sodium_memzero(dados, sizeof dados);
  if (!ok) {
    if (erro.empty()) erro = motivo(nome);
    unlink(nome.c_str());
  }
  return ok;
}

}  // namespace

bool lechave(const std::string& nome, CHAVE& k, std::string& erro) {
  const int fd = open(nome.c_str(), O_RDONLY);
  if (fd < 0) return erro = motivo(nome), false;
  struct stat st;
  uint8_t dados[MARCA + BYTESCHAVE + 1];
  const bool lido = fstat(fd, &st) == 0;
  const ssize_t n = lido && S_ISREG(st.st_mode) ? read(fd, dados, sizeof dados) : -1;
  close(fd);
  if (n != static_cast<ssize_t>(MARCA + BYTESCHAVE))
    return erro = nome + ": not a key file of morvia-doc (it must be 40 bytes)", false;
  const TIPO* t = nullptr;
  for (const TIPO& x : TIPOS)
    if (std::memcmp(dados, x.marca, MARCA) == 0) t = &x;
  if (!t) return erro = nome + ": not a key file of morvia-doc", false;
  // A secret that others can read is no longer a secret; ssh refuses such keys for the same
  // reason.
  if (t->secreta && (st.st_mode & 077))
    return erro = nome + ": " + t->nome + " readable by others; run chmod 600 " + nome, false;
  k.tipo = t->tipo;
  k.bytes.assign(dados + MARCA, dados + MARCA + BYTESCHAVE);
  sodium_memzero(dados, sizeof dados);
  return true;
}

namespace {

// Draws a key of type t whose layout reads back (a handful of draws at most: few seeds fail).
bool sorteiachave(TIPOCHAVE t, CHAVE& k, std::string& erro) {
  if (sodium_init() < 0) return erro = "the random generator is unavailable", false;
  k.tipo = t;
  k.bytes.resize(BYTESCHAVE);
  for (int tentativa = 0; tentativa < 32; tentativa++) {
    randombytes_buf(k.bytes.data(), k.bytes.size());
    if (leiautelegivel(sementedachave(k))) return true;
  }
  return erro = "no key with a readable layout was found", false;
}

}  // namespace

bool geramac(const std::string& nome, std::string& erro) {
  CHAVE k;
  bool ok = sorteiachave(TIPOCHAVE::MAC, k, erro) &&
            escreve(nome, tipode(TIPOCHAVE::MAC), k.bytes.data(), 0600, erro);
  sodium_memzero(k.bytes.data(), k.bytes.size());
  return ok;
}

bool gerapar(const std::string& nome, std::string& erro) {
  CHAVE k;
  if (!sorteiachave(TIPOCHAVE::SECRETA, k, erro)) return false;
  std::vector<uint8_t> semente = k.bytes, publica, secreta;
  sodium_memzero(k.bytes.data(), k.bytes.size());
  par(semente, publica, secreta);
  const std::string pub = nome + ".pub";
  bool ok = escreve(nome, tipode(TIPOCHAVE::SECRETA), semente.data(), 0600, erro);
  if (ok && !escreve(pub, tipode(TIPOCHAVE::PUBLICA), publica.data(), 0644, erro)) {
    unlink(nome.c_str());
    ok = false;
  }
  sodium_memzero(semente.data(), semente.size());
  sodium_memzero(secreta.data(), secreta.size());
  return ok;
}

int sementedachave(const CHAVE& k) {
  std::vector<uint8_t> base = k.bytes, secreta;
  if (k.tipo == TIPOCHAVE::SECRETA) par(k.bytes, base, secreta);
  const std::vector<uint8_t> h = hmac(base, ROTULOLEIAUTE);
  const uint32_t v = uint32_t(h[0]) << 24 | uint32_t(h[1]) << 16 | uint32_t(h[2]) << 8 | h[3];
  return static_cast<int>(1 + v % 2147483646u);
}

SELO selodachave(const CHAVE& k) {
  SELO s;
  if (k.tipo == TIPOCHAVE::MAC) {
    s.prova = PROVA::MAC;
    s.chave = hmac(k.bytes, ROTULOMAC);
    return s;
  }
  s.prova = PROVA::ASSINATURA;
  if (k.tipo == TIPOCHAVE::PUBLICA)
    s.chave = k.bytes;
  else
    par(k.bytes, s.chave, s.secreta);
  return s;
}

const char* nomedotipo(TIPOCHAVE t) { return tipode(t).nome; }

bool ehchave(const char* nome) {
  char marca[MARCA] = {0};
  FILE* f = std::fopen(nome, "rb");
  if (!f) return false;
  const size_t n = std::fread(marca, 1, MARCA, f);
  std::fclose(f);
  for (const TIPO& t : TIPOS)
    if (n == MARCA && std::memcmp(marca, t.marca, MARCA) == 0) return true;
  return false;
}
