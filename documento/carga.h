// Payloads as users give them (a text, a number, hex bytes) and as they are shown back.
#pragma once

#include <string>

#include "quadro.h"

// Each parses its argument strictly into c, or returns false with the reason in erro.
// Text: non-empty UTF-8. Number: decimal digits, 0 .. 2^64 - 1. Hex: pairs of hex digits.
bool cargadetexto(const std::string& s, CARGA& c, std::string& erro);
bool cargadenumero(const std::string& s, CARGA& c, std::string& erro);
bool cargadehex(const std::string& s, CARGA& c, std::string& erro);

// The payload as it was given: the text, the number in decimal, or lower-case hex.
std::string mostracarga(const CARGA& c);

// "text", "number" or "hex".
const char* nomedaespecie(ESPECIE e);

// Lower-case hex of the bytes.
std::string hexde(const std::vector<uint8_t>& b);
