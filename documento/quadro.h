// The payload frame of a marked page: a self-describing header, the payload, a proof (a CRC-32,
// a MAC or a signature, see selo.h) and Reed-Solomon parity that fills the rest of the page's
// capacity.
//
//   byte 0        version (high nibble: the proof, 1 to 3) and kind of payload (low nibble)
//   byte 1        L, the payload's length in bytes
//   bytes 2..     the payload
//   P bytes       the proof of bytes 0 .. L+1 (P = 4, 4 or 64)
//   the rest      N - L - 2 - P parity bytes: Reed-Solomon over GF(256), field polynomial
//                 0x11d, first root 1, primitive element 1, shortened to the N bytes
//
// N is the page's capacity in whole bytes. Frame bits go into the page most significant bit
// first. Each version names exactly this layout and code with its proof.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "selo.h"

enum class ESPECIE : uint8_t { TEXTO = 1, NUMERO = 2, HEX = 3 };

struct CARGA {
  ESPECIE especie = ESPECIE::TEXTO;
  std::vector<uint8_t> bytes;
};

constexpr int BYTESCABECALHO = 2;
// Fewest parity bytes a frame carries: two wrong bytes are always corrected.
constexpr int PARIDADEMINIMA = 4;

// Frame bytes that fit in nbits payload bits (at most one Reed-Solomon block, 255).
int bytesdoquadro(int nbits);

// Longest payload a frame of n bytes takes with the proof of s (below 1 when none fits);
// parity of a frame of n bytes with L payload bytes.
int cargamaxima(int n, const SELO& s = SELO());
int paridade(int n, int l, const SELO& s = SELO());

// The frame of n bytes for c, whose length must be 1 .. cargamaxima(n, s).
std::vector<uint8_t> codificaquadro(const CARGA& c, int n, const SELO& s = SELO());

// Fills the last r bytes of q with the Reed-Solomon parity of the bytes before them.
void poeparidade(std::vector<uint8_t>& q, int r);

struct DECODIFICACAO {
  bool verificado = false;
  CARGA carga;         // meaningful only when verificado
  int corrigidos = 0;  // bytes the code corrected
};

// Corrects and checks a frame as read. confianca, when not empty, holds one figure per byte
// (higher is surer); the least sure bytes are handed to the decoder as erasures. Only a frame
// of s's version whose header is consistent and whose proof checks after correction is
// verified.
DECODIFICACAO decodificaquadro(const std::vector<uint8_t>& lido,
                               const std::vector<double>& confianca, const SELO& s = SELO());

// Bits of the frame, most significant first, and back (the bit count must be a multiple of 8).
std::vector<bool> bitsdoquadro(const std::vector<uint8_t>& quadro);
std::vector<uint8_t> bytesdosbits(const std::vector<bool>& bits);
