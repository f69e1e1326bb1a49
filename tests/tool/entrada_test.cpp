#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apoio.h"

namespace {

const std::string NOTA2 = "Nota: Numero de bits livres inserivel=268\n";
const std::string NOTA4 = "Nota: Numero de bits livres inserivel=1370\n";

const std::string USO =
    "Morvia: Watermarking for binary Docs based on Dots for Laser\n"
    "  Versao 16 furos por bit\n"
    "Morvia s4s original.bmp vetorbit.vet marked.bmp\n"
    "         [tamegpos tamegneg] [tamfuropos tamfuroneg] [semente]\n"
    "  s=sign; 2=2200pics/4=4400pics; s=silent/d=debug\n"
    "  tamegpos = tam aresta de protecao pos (br/pt). Default=9 (erosao 9x9)\n"
    "  tamegneg = tam aresta de protecao neg (pt/br). Default=12 (dilat 12x12)\n"
    "  tamfuropos = tamanho do furo positivo (br/pt). Default=3\n"
    "  tamfuroneg = tamanho do furo negativo (pt/br). Default=2\n"
    "  semente default = 7\n"
    "  Ex: quorl4 s ori.bmp mar.bmp 9 12 3 2 7\n"
    "Morvia v4s marked.tga vetorbit.vet [semente]\n"
    "  v=verify; 2=2200pics/4=4400pics; s=silent/d=debug\n"
    "  semente default = 7\n";

// Every fatal message comes with an empty complement: message, blank, newline.
std::string erro(const std::string& msg) { return msg + " \n"; }

const std::string CONTAGEM = erro("Erro: Numero de parametros invalido.");
// Reaching the hand-over: both procedures first open their image, "a", which does not exist.
const std::string ASSINA = "Erro TipoImg - Abertura  a\n";
const std::string VERIFICA = ASSINA;

struct CASO {
  std::vector<std::string> args;
  std::string out, err;
  int status;
};

const CASO CASOS[] = {
    // No operation word, or one of the wrong length: profile 2, usage, count error.
    {{}, NOTA2 + USO, CONTAGEM, 1},
    {{"s2", "a", "b", "c"}, NOTA2 + USO, CONTAGEM, 1},
    {{"s4ss", "a", "b", "c"}, NOTA2 + USO, CONTAGEM, 1},
    // The word is checked letter by letter, before the Nota line.
    {{"x2s", "a", "b", "c"}, "", erro("Erro: op deve ser s ou v"), 1},
    {{"xAx"}, "", erro("Erro: op deve ser s ou v"), 1},
    {{"sAs", "a", "b", "c"}, "", erro("Erro: pics deve ser 2 ou 4"), 1},
    {{"s2x", "a", "b", "c"}, "", erro("Erro: deb deve ser d ou s"), 1},
    {{"s4d", "a", "b", "c"}, NOTA4, ASSINA, 1},
    {{"S4D", "a", "b", "c"}, NOTA4, ASSINA, 1},
    {{"S4d", "a", "b", "c"}, NOTA4, ASSINA, 1},
    {{"V2S", "a", "b"}, NOTA2, VERIFICA, 1},
    // Wrong counts for a valid word.
    {{"s2s", "a", "b"}, NOTA2 + USO, CONTAGEM, 1},
    {{"s2s", "a", "b", "c", "9"}, NOTA2 + USO, CONTAGEM, 1},
    {{"s4s", "a", "b", "c", "9", "12", "3"}, NOTA4 + USO, CONTAGEM, 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "2", "7", "8"}, NOTA2 + USO, CONTAGEM, 1},
    {{"v2s", "a"}, NOTA2 + USO, CONTAGEM, 1},
    {{"v4s", "a", "b", "7", "8"}, NOTA4 + USO, CONTAGEM, 1},
    // Every accepted count reaches the procedure.
    {{"s2s", "a", "b", "c", "9", "12"}, NOTA2, ASSINA, 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "2"}, NOTA2, ASSINA, 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "2", "7"}, NOTA2, ASSINA, 1},
    {{"v4s", "a", "b", "7"}, NOTA4, VERIFICA, 1},
    // Ranges: the protection sides may be 0, hole sides and seed may not.
    {{"s2s", "a", "b", "c", "0", "0", "1", "1", "1"}, NOTA2, ASSINA, 1},
    {{"s2s", "a", "b", "c", "-1", "12"}, NOTA2, erro("Erro: tamegpos<0"), 1},
    {{"s2s", "a", "b", "c", "9", "-3"}, NOTA2, erro("Erro: tamegneg<0"), 1},
    {{"s2s", "a", "b", "c", "9", "12", "0", "2"}, NOTA2, erro("Erro: tamfuropos<=0"), 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "0"}, NOTA2, erro("Erro: tamfuroneg<=0"), 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "2", "0"}, NOTA2, erro("Erro: semente<=0"), 1},
    {{"v2s", "a", "b", "0"}, NOTA2, erro("Erro: semente<=0"), 1},
    {{"v2s", "a", "b", "-7"}, NOTA2, erro("Erro: semente<=0"), 1},
    // "%d" reading: trailing text ignored, leading blanks and sign taken, no number refused.
    {{"s2s", "a", "b", "c", "12x", " +4", "3", "2", "7"}, NOTA2, ASSINA, 1},
    {{"v2s", "a", "b", "5kk"}, NOTA2, VERIFICA, 1},
    {{"s2s", "a", "b", "c", "x12", "12"}, NOTA2, erro("Erro: Leitura tamegpos"), 1},
    {{"s2s", "a", "b", "c", "9", "x12"}, NOTA2, erro("Erro: Leitura tamegneg"), 1},
    {{"s2s", "a", "b", "c", "9", "12", "x12", "2"}, NOTA2, erro("Erro: Leitura tamfuropos"), 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "x12"}, NOTA2, erro("Erro: Leitura tamfuroneg"), 1},
    {{"s2s", "a", "b", "c", "9", "12", "3", "2", "x12"}, NOTA2, erro("Erro: Leitura semente"),
     1},
    {{"v2s", "a", "b", ""}, NOTA2, erro("Erro: Leitura semente"), 1},
    // Parameters are checked in argument order: the first fault is the one reported.
    {{"s2s", "a", "b", "c", "-1", "x"}, NOTA2, erro("Erro: tamegpos<0"), 1},
    {{"s2s", "a", "b", "c", "9", "x", "0", "0", "0"}, NOTA2, erro("Erro: Leitura tamegneg"), 1},
};

std::string junta(const std::vector<std::string>& args) {
  std::string s = "morvia";
  for (const auto& a : args) s += " '" + a + "'";
  return s;
}

}  // namespace

// Each run in an empty directory, which a refused command line leaves empty.
TEST(Entrada, LinhaDeComando) {
  DIRTEMP d;
  for (const CASO& caso : CASOS) {
    SCOPED_TRACE(junta(caso.args));
    SAIDA s = morvia(caso.args, d.dir());
    EXPECT_EQ(s.out, caso.out);
    EXPECT_EQ(s.err, caso.err);
    EXPECT_EQ(s.status, caso.status);
    EXPECT_TRUE(conteudo(d.dir()).empty());
  }
}

// The library banner is the first thing on standard error, even on the usage path.
TEST(Entrada, BannerPrimeiro) {
  // The shell swaps the streams so that the raw standard error, banner included, is read.
  SAIDA s = executa("/bin/sh", {"-c", std::string("'") + MORVIA_BIN + "' 2>&1 >/dev/null"});
  const std::string inicio =
      "[ Tavolin V4.05: Biblioteca de funcoes para proc. de imagens e videos. ]\n";
  EXPECT_EQ(s.out.substr(0, inicio.size()), inicio);
  EXPECT_EQ(sembanner(s.out), CONTAGEM);
}
