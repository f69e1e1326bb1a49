// morvia-doc keygen: a new key file, or a signing key pair.
#include <cstdio>

#include "chave.h"
#include "comandos.h"
#include "opcoes.h"

int gerachave(int argc, char** argv) {
  const ARGUMENTOS a = separa(argc, argv, {}, {"--public"});
  if (a.posicionais.size() != 1) throw ERROUSO{"keygen takes one KEYFILE"};
  const std::string nome = a.posicionais[0];
  std::string erro;
  const bool par = a.tem("--public");
  if (!(par ? gerapar(nome, erro) : geramac(nome, erro))) {
    std::fprintf(stderr, "morvia-doc: %s\n", erro.c_str());
    return 1;
  }
  if (par)
    std::printf("written: %s (secret signing key, keep it private) and %s.pub (public key)\n",
                nome.c_str(), nome.c_str());
  else
    std::printf("written: %s (secret key, readable by you only; keep a copy somewhere safe)\n",
                nome.c_str());
  return 0;
}
