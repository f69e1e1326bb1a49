// Command-line options of morvia-doc: parsed strictly against a table, numbers whole and in range.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "selo.h"

struct ARGUMENTOS {
  std::vector<std::string> posicionais;
  std::map<std::string, std::string> opcoes;  // "--dpi" -> "400"; a switch maps to ""
  bool tem(const char* o) const { return opcoes.count(o) != 0; }
};

// Thrown for a usage error; the message is one line, without the program's name.
struct ERROUSO {
  std::string msg;
};

// Splits argv[2..] by the options of the command: those in comvalor take the next argument
// (or --name=value), those in chaves take none; anything else starting with "--" is refused.
ARGUMENTOS separa(int argc, char** argv, const std::set<std::string>& comvalor,
                  const std::set<std::string>& chaves);

// A whole decimal number in [minimo, maximo], or ERROUSO naming the option.
long inteiro(const std::string& opcao, const std::string& v, long minimo, long maximo);

// The profile's dpi from --dpi: 200 (default) or 400.
int dpidoperfil(const ARGUMENTOS& a);

// The seed from --seed: 1 .. 2^31 - 1, default 7.
int sementede(const ARGUMENTOS& a);

// Pages from a list such as "1,3,5-7" (from 1), each at most n; returned from 0, in order.
std::vector<int> listadepaginas(const std::string& lista, int n);

// Who makes and who checks the marks: the layout seed and the frame's proof, from --key
// (--public-key too when publica) or else from --seed with the plain CRC.
struct AUTORIA {
  SELO selo;
  int semente = 7;
};
AUTORIA autoriade(const ARGUMENTOS& a, bool publica);
