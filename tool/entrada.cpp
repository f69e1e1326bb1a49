#include "entrada.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "assinatura.h"
#include "core/aborta.h"
#include "perfil.h"
#include "verificacao.h"

namespace {

const char* const USO[] = {
    "Morvia: Watermarking for binary Docs based on Dots for Laser",
    "  Versao 16 furos por bit",
    "Morvia s4s original.bmp vetorbit.vet marked.bmp",
    "         [tamegpos tamegneg] [tamfuropos tamfuroneg] [semente]",
    "  s=sign; 2=2200pics/4=4400pics; s=silent/d=debug",
    "  tamegpos = tam aresta de protecao pos (br/pt). Default=9 (erosao 9x9)",
    "  tamegneg = tam aresta de protecao neg (pt/br). Default=12 (dilat 12x12)",
    "  tamfuropos = tamanho do furo positivo (br/pt). Default=3",
    "  tamfuroneg = tamanho do furo negativo (pt/br). Default=2",
    "  semente default = 7",
    "  Ex: quorl4 s ori.bmp mar.bmp 9 12 3 2 7",
    "Morvia v4s marked.tga vetorbit.vet [semente]",
    "  v=verify; 2=2200pics/4=4400pics; s=silent/d=debug",
    "  semente default = 7",
};

// An optional numeric argument: its default, its least accepted value and its two messages.
struct PARAMETRO {
  int padrao;
  int minimo;
  const char* erroleitura;
  const char* errofaixa;
};

const PARAMETRO SEMENTE = {7, 1, "Erro: Leitura semente", "Erro: semente<=0"};

// Sign's parameters in argument order, from argv[5] on.
const PARAMETRO PARAMASSINA[] = {
    {9, 0, "Erro: Leitura tamegpos", "Erro: tamegpos<0"},
    {12, 0, "Erro: Leitura tamegneg", "Erro: tamegneg<0"},
    {3, 1, "Erro: Leitura tamfuropos", "Erro: tamfuropos<=0"},
    {2, 1, "Erro: Leitura tamfuroneg", "Erro: tamfuroneg<=0"},
    SEMENTE,
};
constexpr int NPARAMASSINA = sizeof(PARAMASSINA) / sizeof(PARAMASSINA[0]);
static_assert(NPARAMASSINA == 5, "the sign procedure takes five numbers");

char minuscula(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Checks the operation word and fixes the profile; returns op, or 0 when there is no word
// of three letters (profile 2 then stands and the count check will fail).
char leoperacao(int argc, char** argv) {
  if (argc < 2 || std::strlen(argv[1]) != 3) {
    fixaperfil('2');
    return 0;
  }
  const char* palavra = argv[1];
  char op = minuscula(palavra[0]);
  if (op != 's' && op != 'v') aborta("Erro: op deve ser s ou v");
  if (!perfilvalido(palavra[1])) aborta("Erro: pics deve ser 2 ou 4");
  char modo = minuscula(palavra[2]);
  if (modo == 'd')
    deb = true;
  else if (modo != 's')
    aborta("Erro: deb deve ser d ou s");
  fixaperfil(palavra[1]);
  return op;
}

bool contavalida(char op, int argc) {
  if (op == 's') return argc == 5 || argc == 7 || argc == 9 || argc == 10;
  if (op == 'v') return argc == 4 || argc == 5;
  return false;
}

// Valid counts make an argument present exactly when its group is, so presence is argc > i.
int leparametro(const PARAMETRO& p, int argc, char** argv, int i) {
  if (i >= argc) return p.padrao;
  int valor = 0;
  if (std::sscanf(argv[i], "%d", &valor) != 1) aborta(p.erroleitura);
  if (valor < p.minimo) aborta(p.errofaixa);
  return valor;
}

void rodaassinatura(int argc, char** argv) {
  int v[NPARAMASSINA];
  for (int k = 0; k < NPARAMASSINA; k++) v[k] = leparametro(PARAMASSINA[k], argc, argv, 5 + k);
  assinatura(argv[2], argv[3], argv[4], v[0], v[1], v[2], v[3], v[4]);
}

void rodaverificacao(int argc, char** argv) {
  verificacao(argv[2], argv[3], leparametro(SEMENTE, argc, argv, 4));
}

}  // namespace

int entrada(int argc, char** argv) {
  char op = leoperacao(argc, argv);
  std::printf("Nota: Numero de bits livres inserivel=%d\n", nbitslivres);
  if (!contavalida(op, argc)) {
    for (const char* linha : USO) std::puts(linha);
    aborta("Erro: Numero de parametros invalido.");
  }
  if (op == 's')
    rodaassinatura(argc, argv);
  else
    rodaverificacao(argc, argv);
  return 0;
}
