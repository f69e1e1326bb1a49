#include "core/arquivo.h"

#include "core/aborta.h"

ARQUIVO::ARQUIVO(const char* nome, const char* modo, const char* msgAbertura,
                 const char* msgBuffer)
    : nome_(nome) {
  f_ = std::fopen(nome, modo);
  if (!f_) aborta(msgAbertura, nome);
  if (std::setvbuf(f_, nullptr, _IOFBF, TAMBUF) != 0) aborta(msgBuffer);
}

ARQUIVO::~ARQUIVO() {
  if (f_) std::fclose(f_);
}

void ARQUIVO::le(void* p, size_t n, const char* msgFim) {
  if (leate(p, n) != n) aborta(msgFim);
}

size_t ARQUIVO::leate(void* p, size_t n) { return n ? std::fread(p, 1, n, f_) : 0; }

void ARQUIVO::escreve(const void* p, size_t n, const char* msgEscrita) {
  if (n && std::fwrite(p, 1, n, f_) != n) aborta(msgEscrita, nome_);
}

void ARQUIVO::fecha(const char* msgEscrita) {
  if (!f_) return;
  bool falhou = std::fflush(f_) != 0 || std::ferror(f_);
  falhou = std::fclose(f_) != 0 || falhou;
  f_ = nullptr;
  if (falhou && msgEscrita) aborta(msgEscrita, nome_);
}

long long comprimento(FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  const long t = std::ftell(f);
  std::rewind(f);
  return t;
}
