// The payload frame of a marked page: a self-describing header, the payload, a CRC-32 and
// Reed-Solomon parity that fills the rest of the page's capacity.
//
//   byte 0        version (high nibble, 1) and kind of payload (low nibble)
//   byte 1        L, the payload's length in bytes
//   bytes 2..     the payload
//   4 bytes       CRC-32 (zlib's, big-endian) of bytes 0 .. L+1
//   the rest      N - L - 6 parity bytes: Reed-Solomon over GF(256), field polynomial 0x11d,
//                 first root 1, primitive element 1, shortened to the N bytes of the frame
//
// N is the page's capacity in whole bytes. Frame bits go into the page most significant bit
// first. Version 1 names exactly this layout and code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ESPECIE : uint8_t { TEXTO = 1, NUMERO = 2, HEX = 3 };

struct CARGA {
  ESPECIE especie = ESPECIE::TEXTO;
  std::vector<uint8_t> bytes;
};

constexpr int VERSAOQUADRO = 1;
constexpr int BYTESCABECALHO = 2, BYTESCRC = 4;
// Fewest parity bytes a frame carries: two wrong bytes are always corrected.
constexpr int PARIDADEMINIMA = 4;

// Frame bytes that fit in nbits payload bits (at most one Reed-Solomon block, 255).
int bytesdoquadro(int nbits);

// Longest payload a frame of n bytes takes; parity of a frame of n bytes with L payload bytes.
int cargamaxima(int n);
int paridade(int n, int l);

// The frame of n bytes for c, whose length must be 1 .. cargamaxima(n).
std::vector<uint8_t> codificaquadro(const CARGA& c, int n);

struct DECODIFICACAO {
  bool verificado = false;
  CARGA carga;         // meaningful only when verificado
  int corrigidos = 0;  // bytes the code corrected
};

// Corrects and checks a frame as read. confianca, when not empty, holds one figure per byte
// (higher is surer); the least sure bytes are handed to the decoder as erasures. Only a frame
// whose header is consistent and whose CRC matches after correction is verified.
DECODIFICACAO decodificaquadro(const std::vector<uint8_t>& lido,
                               const std::vector<double>& confianca);

// Bits of the frame, most significant first, and back (the bit count must be a multiple of 8).
std::vector<bool> bitsdoquadro(const std::vector<uint8_t>& quadro);
std::vector<uint8_t> bytesdosbits(const std::vector<bool>& bits);
