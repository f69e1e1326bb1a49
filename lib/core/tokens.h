// The text token scanner shared by every text file of the library, and its typed readers.
// Separators: tab, LF, CR, blank, ( ) , ; =.  Comments: # or // to end of line, /* ... */.
// Token characters: + - . digits _ letters (folded to lower case).
#pragma once

#include <cstdio>
#include <string>

#include "tipos.h"

// Word scanner: the longest run of token characters, lower case, ended by a separator (which
// is consumed), the end of the file or a byte 0x1A. "eof" at the end of the file, "erro" for a
// character that cannot start or end a token.
std::string LeToken(FILE* f);
// Character scanner: the single next token character, or "eof" / "erro".
std::string LeCaractere(FILE* f);

// Required readers: a token that does not map to a value is fatal with "LeNum(int)",
// "LeNum(BYTE)", "LeNum(SHT)", "LeNum(FLT)", "LeNum(double)" or "LeNum(bool)".
void LeNum(FILE* f, int& v);
void LeNum(FILE* f, BYTE& v);
void LeNum(FILE* f, SHT& v);
void LeNum(FILE* f, FLT& v);
void LeNum(FILE* f, double& v);
void LeNum(FILE* f, bool& v);
// Optional int reader: "eof" gives NUMAUSENTE.
constexpr int NUMAUSENTE = -2147483647 - 1;
void LeNumOpc(FILE* f, int& v);
// Single-character truth value; anything else is fatal "Erro: LeBool " with the token.
bool LeBool(FILE* f);

// The leading integer of a token, as "%d" reads it (3x gives 3); values past the int range
// saturate. False when the token does not start with one.
bool leint(const std::string& t, int& v);
// False when the rest of a seekable stream is too short to hold k more tokens (each takes a
// character and, but for the last, a separator). Readers check a count from a header with it
// before sizing anything; a stream that cannot tell its length always passes.
bool cabemtokens(FILE* f, long long k);
