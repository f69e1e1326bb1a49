#include "opcoes.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "chave.h"

ARGUMENTOS separa(int argc, char** argv, const std::set<std::string>& comvalor,
                  const std::set<std::string>& chaves) {
  ARGUMENTOS a;
  for (int i = 2; i < argc; i++) {
    std::string s = argv[i];
    if (s.size() < 2 || s.compare(0, 2, "--") != 0) {
      a.posicionais.push_back(s);
      continue;
    }
    std::string valor;
    const size_t igual = s.find('=');
    const bool temigual = igual != std::string::npos;
    if (temigual) valor = s.substr(igual + 1), s = s.substr(0, igual);
    if (a.tem(s.c_str())) throw ERROUSO{s + " given twice"};
    if (chaves.count(s) && !temigual) {
      a.opcoes[s] = "";
    } else if (comvalor.count(s)) {
      if (!temigual) {
        if (i + 1 >= argc) throw ERROUSO{s + " needs a value"};
        valor = argv[++i];
      }
      a.opcoes[s] = valor;
    } else {
      throw ERROUSO{"unknown option " + s};
    }
  }
  return a;
}

long inteiro(const std::string& opcao, const std::string& v, long minimo, long maximo) {
  errno = 0;
  char* fim = nullptr;
  const long k = std::strtol(v.c_str(), &fim, 10);
  if (v.empty() || *fim != '\0' || errno == ERANGE || k < minimo || k > maximo || v[0] == ' ' ||
      v[0] == '+')
    throw ERROUSO{opcao + " must be a whole number from " + std::to_string(minimo) + " to " +
                  std::to_string(maximo) + ", not '" + v + "'"};
  return k;
}

int dpidoperfil(const ARGUMENTOS& a) {
  if (!a.tem("--dpi")) return 200;
  const std::string& v = a.opcoes.at("--dpi");
  if (v != "200" && v != "400") throw ERROUSO{"--dpi must be 200 or 400, not '" + v + "'"};
  return v == "200" ? 200 : 400;
}

int sementede(const ARGUMENTOS& a) {
  return a.tem("--seed") ? static_cast<int>(inteiro("--seed", a.opcoes.at("--seed"), 1, INT_MAX))
                         : 7;
}

std::vector<int> listadepaginas(const std::string& lista, int n) {
  std::set<int> paginas;
  size_t i = 0;
  while (i <= lista.size()) {
    size_t fim = lista.find(',', i);
    if (fim == std::string::npos) fim = lista.size();
    const std::string parte = lista.substr(i, fim - i);
    const size_t traco = parte.find('-');
    const std::string de = parte.substr(0, traco);
    const std::string ate = traco == std::string::npos ? de : parte.substr(traco + 1);
    const long a = inteiro("--pages", de, 1, INT_MAX), b = inteiro("--pages", ate, 1, INT_MAX);
    if (a > b) throw ERROUSO{"--pages: the range " + parte + " runs backwards"};
    if (b > n)
      throw ERROUSO{"--pages: page " + std::to_string(b) + " is out of range (the input has " +
                    std::to_string(n) + (n == 1 ? " page)" : " pages)")};
    for (long k = a; k <= b; k++) paginas.insert(static_cast<int>(k - 1));
    i = fim + 1;
  }
  return std::vector<int>(paginas.begin(), paginas.end());
}

AUTORIA autoriade(const ARGUMENTOS& a, bool publica) {
  AUTORIA r;
  const bool chave = a.tem("--key"), pub = publica && a.tem("--public-key");
  if ((chave || pub) && a.tem("--seed"))
    throw ERROUSO{"--seed cannot go with a key: the key gives the layout"};
  if (chave && pub) throw ERROUSO{"give --key or --public-key, not both"};
  if (!chave && !pub) {
    r.semente = sementede(a);
    return r;
  }
  const std::string nome = a.opcoes.at(chave ? "--key" : "--public-key");
  CHAVE k;
  std::string erro;
  if (!lechave(nome, k, erro)) throw ERROUSO{erro};
  if (chave && k.tipo == TIPOCHAVE::PUBLICA)
    throw ERROUSO{nome + " is a public key: it checks marks (--public-key) but cannot make them"};
  if (pub && k.tipo != TIPOCHAVE::PUBLICA)
    throw ERROUSO{nome + " is " + nomedotipo(k.tipo) + ", not a public key"};
  r.semente = sementedachave(k);
  r.selo = selodachave(k);
  return r;
}
