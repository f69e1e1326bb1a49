// What every fuzz target shares: the input becomes a file, since the readers take file names,
// and a fatal report ends the input instead of the process.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/aborta.h"

namespace fuzz {

// Writes the bytes to this process's scratch file and returns its name.
const char* arquivo(const uint8_t* dados, size_t n);

// Runs f; a fatal report of the library is an ordinary outcome for a hostile file.
template <class F>
void tenta(F&& f) {
  try {
    f();
  } catch (const FIMFATAL&) {
  }
}

// A reader of the form le(object, name), on a fresh object of class C.
template <class C>
void leobjeto(const char* nome) {
  C o;
  le(o, nome);
}

// Inputs whose first byte chooses the reader of a family from a table, the rest being the
// file: runs the chosen reader on it.
template <size_t N>
int rodaescolha(const uint8_t* dados, size_t n, void (*const (&leitores)[N])(const char*)) {
  if (n < 1) return 0;
  const char* nome = arquivo(dados + 1, n - 1);
  tenta([&] { leitores[dados[0] % N](nome); });
  return 0;
}

}  // namespace fuzz

// The entry point of a target over its table of readers.
#define MORVIA_ALVO_FUZZ(leitores)                                       \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t n) { \
    return fuzz::rodaescolha(dados, n, leitores);                          \
  }
