#include "core/vetorbit.h"

#include <cstdlib>
#include <cstring>

#include "core/aborta.h"

// The words come from calloc: fresh vectors read as zeros, and a huge count from a hostile file
// costs address space only until bits are actually written.
void VETORBIT::aloca(int n) {
  std::free(words);
  words = nullptr;
  n_ = n;
  nwords_ = n >= 1 ? ((n - 1) >> 5) + 1 : 0;
  if (nwords_ == 0) return;
  words = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(nwords_), sizeof(uint32_t)));
  if (!words) aborta("Erro VETOR::aloca - Falta memoria");
}

VETORBIT::VETORBIT(const VETORBIT& o) {
  aloca(o.n_);
  copia(o);
}

VETORBIT::VETORBIT(VETORBIT&& o) noexcept : words(o.words), n_(o.n_), nwords_(o.nwords_) {
  o.words = nullptr;
  o.n_ = o.nwords_ = 0;
}

VETORBIT& VETORBIT::operator=(const VETORBIT& o) {
  if (this == &o) return *this;
  if (o.n_ != n_) aloca(o.n_);
  copia(o);
  return *this;
}

VETORBIT& VETORBIT::operator=(VETORBIT&& o) noexcept {
  if (this == &o) return *this;
  std::free(words);
  words = o.words;
  n_ = o.n_;
  nwords_ = o.nwords_;
  o.words = nullptr;
  o.n_ = o.nwords_ = 0;
  return *this;
}

VETORBIT::~VETORBIT() { std::free(words); }

void VETORBIT::resize(int m) {
  if (m != n_) aloca(m);
}

void VETORBIT::copia(const VETORBIT& o) {
  if (nwords_ > 0) std::memcpy(words, o.words, static_cast<size_t>(nwords_) * sizeof(uint32_t));
}

void VETORBIT::encurta(int m) {
  if (m < 1) {
    aloca(m);  // nothing left to keep
    return;
  }
  n_ = m;
  nwords_ = ((m - 1) >> 5) + 1;
}

VETORBIT::BIT VETORBIT::operator()(int i) {
  if (i < 0 || i >= n_) aborta("Erro VETORBIT::operator() - Indice invalido");
  return BIT(words + (i >> 5), 0x80000000u >> (i & 31));
}

bool VETORBIT::operator()(int i) const { return const_cast<VETORBIT&>(*this)(i); }
