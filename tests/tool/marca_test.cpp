#include "marca.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/relato.h"
#include "io/leimp.h"
#include "montaperm.h"
#include "perfil.h"
#include "imagens_teste.h"

namespace {

VETORBIT embutido(const std::vector<int>& carga) {
  int n = static_cast<int>(carga.size());
  VETORBIT E(16 + n);
  for (int i = 0; i < 16; i++) E(i) = (n >> i) & 1;
  for (int i = 0; i < n; i++) E(16 + i) = carga[i] != 0;
  return E;
}

const VETORBIT E5 = embutido({1, 0, 1, 0, 0});

struct PARAMS {
  int tamegpos = 9, tamegneg = 12, tamfuropos = 3, tamfuroneg = 2, semente = 7;
};

// Standard output written while f runs, caught at the descriptor so printf's buffer counts.
std::string capturasaida(const std::function<void()>& f) {
  std::fflush(stdout);
  char nome[] = "/tmp/marca_saidaXXXXXX";
  int fd = mkstemp(nome);
  int salvo = dup(STDOUT_FILENO);
  dup2(fd, STDOUT_FILENO);
  f();
  std::fflush(stdout);
  dup2(salvo, STDOUT_FILENO);
  close(salvo);
  close(fd);
  std::string s = learquivo(nome);
  unlink(nome);
  return s;
}

IMGBIN chama(const IMGBIN& D, const VETORBIT& E, const PARAMS& p) {
  return marca(D, E, p.tamegpos, p.tamegneg, p.tamfuropos, p.tamfuroneg, p.semente);
}

struct RODADA {
  std::string saida;
  IMGBIN R;
  IMGBIN perm, S;  // the debug images: permutation and centre map
  bool comdebug = false;
};

// Runs marca inside a fresh working directory, where the debug images land.
RODADA roda(const IMGBIN& D, const VETORBIT& E, const PARAMS& p, bool debug = true) {
  DIRTEMP d;
  char antes[4096];
  EXPECT_NE(getcwd(antes, sizeof antes), nullptr);
  EXPECT_EQ(chdir(d.dir().c_str()), 0);
  deb = debug;
  RODADA r;
  r.saida = capturasaida([&] { r.R = chama(D, E, p); });
  deb = false;
  r.comdebug = existe("_s01.bmp") || existe("_s02.bmp");
  if (debug) {
    le(r.perm, "_s01.bmp");
    le(r.S, "_s02.bmp");
  }
  EXPECT_EQ(chdir(antes), 0);
  return r;
}

std::string linhas(const std::string& taxa, int neg, int pos) {
  return "Um pixel de perm tem dimensao tambkl=1 tambkc=1\n" + taxa +
         "\n#Furos marcados: neg (pt/br)=" + std::to_string(neg) +
         "   pos (br/pt)=" + std::to_string(pos) + "\n";
}
const std::string SEMFALHA = "Aviso: Nao consegui colocar 0.000000% dos furos.";

int pretos(const IMGBIN& img) {
  int n = 0;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) n += !img.pega(l, c);
  return n;
}

void quadrado(IMGBIN& img, int r0, int c0, int lado, bool v) {
  for (int r = r0; r < r0 + lado; r++)
    for (int c = c0; c < c0 + lado; c++)
      if (img.dentro(r, c)) img.poe(r, c, v);
}

// The document with a hole drawn at every centre of S: a square of the colour opposite to the
// document at the centre, clipped at the page edge.
IMGBIN comfuros(const IMGBIN& D, const IMGBIN& S, int tamfuropos, int tamfuroneg) {
  IMGBIN R(D);
  for (int r = 0; r < S.nl(); r++)
    for (int c = 0; c < S.nc(); c++) {
      if (S.pega(r, c)) continue;
      int lado = D.pega(r, c) ? tamfuroneg : tamfuropos;
      quadrado(R, r - lado / 2, c - lado / 2, lado, !D.pega(r, c));
    }
  return R;
}

// On a uniform 512 x 512 page every hole sits on its own cell, except the two cells just below a
// quadrant boundary that the square closed around a neighbour's hole pushes one row down.
IMGBIN centrosuniformes(const IMGBIN& perm) {
  IMGBIN S(perm);
  for (int c : {196, 452}) {
    S.poe(257, c, true);
    S.poe(258, c, false);
  }
  return S;
}

TEST(Marca, PaginaUniforme) {
  fixaperfil('2');
  const IMGBIN perm = montaperm(E5, 7);
  const IMGBIN Sesperado = centrosuniformes(perm);
  ASSERT_EQ(pretos(Sesperado), 3072);
  const struct {
    bool branca;
    int tamfuropos, tamfuroneg;
  } casos[] = {{true, 3, 2}, {false, 3, 2}, {true, 3, 9},
               {true, 3, 1}, {false, 1, 2}, {false, 4, 2}};
  for (const auto& k : casos) {
    SCOPED_TRACE(std::string(k.branca ? "branca" : "preta") + " furos " +
                 std::to_string(k.tamfuropos) + "/" + std::to_string(k.tamfuroneg));
    IMGBIN D(512, 512, k.branca);
    PARAMS p;
    p.tamfuropos = k.tamfuropos;
    p.tamfuroneg = k.tamfuroneg;
    RODADA r = roda(D, E5, p);
    EXPECT_EQ(r.saida, linhas(SEMFALHA, k.branca ? 3072 : 0, k.branca ? 0 : 3072));
    EXPECT_TRUE(iguais(r.perm, perm));
    EXPECT_TRUE(iguais(r.S, Sesperado));
    EXPECT_TRUE(iguais(r.R, comfuros(D, Sesperado, k.tamfuropos, k.tamfuroneg)));
  }
}

TEST(Marca, FuroDaCelula181x214) {
  fixaperfil('2');
  RODADA r = roda(IMGBIN(512, 512, true), E5, PARAMS());
  for (int l = 179; l <= 182; l++)
    for (int c = 212; c <= 215; c++) {
      bool dentro = l >= 180 && l <= 181 && c >= 213 && c <= 214;
      EXPECT_EQ(r.R.pega(l, c), !dentro) << l << "," << c;
    }
  EXPECT_FALSE(r.S.pega(258, 196));
  EXPECT_TRUE(r.S.pega(257, 196));
  EXPECT_FALSE(r.S.pega(258, 452));
  EXPECT_TRUE(r.S.pega(257, 452));
}

TEST(Marca, SemDebugNaoGravaImagens) {
  fixaperfil('2');
  RODADA r = roda(IMGBIN(512, 512, true), E5, PARAMS(), false);
  EXPECT_FALSE(r.comdebug);
  EXPECT_TRUE(
      iguais(r.R, comfuros(IMGBIN(512, 512, true), centrosuniformes(montaperm(E5, 7)), 3, 2)));
}

// Every black perm cell, in row-major order.
std::vector<PONTOI2> celulaspretas(const IMGBIN& perm) {
  std::vector<PONTOI2> v;
  for (int l = 0; l < perm.nl(); l++)
    for (int c = 0; c < perm.nc(); c++)
      if (!perm.pega(l, c)) v.push_back(PONTOI2(l, c));
  return v;
}

int cheb(const PONTOI2& a, const PONTOI2& b) {
  return std::max(std::abs(a.l - b.l), std::abs(a.c - b.c));
}

// The whole 5 x 5 search window lies on the page.
bool interior(const PONTOI2& p) { return p.l >= 2 && p.c >= 2 && p.l <= 509 && p.c <= 509; }

// A white page on which exactly nfalhas black cells find no free pixel (with tamegpos 9 and
// tamegneg 1): a 5 x 5 black block covering a cell's whole search window leaves every pixel in
// it within 2 of white, so all are protected, while white pixels are never protected. Blocks
// are kept apart so that no other cell's window is covered too.
IMGBIN comfalhas(int nfalhas) {
  std::vector<PONTOI2> escolhidas;
  for (const PONTOI2& p : celulaspretas(montaperm(E5, 7))) {
    if ((int)escolhidas.size() == nfalhas) break;
    if (!interior(p)) continue;
    bool longe = true;
    for (const PONTOI2& q : escolhidas) longe = longe && cheb(p, q) >= 6;
    if (longe) escolhidas.push_back(p);
  }
  EXPECT_EQ((int)escolhidas.size(), nfalhas);
  IMGBIN D(512, 512, true);
  for (const PONTOI2& p : escolhidas) quadrado(D, p.l - 2, p.c - 2, 5, false);
  return D;
}

PARAMS parafalhas() {
  PARAMS p;
  p.tamegneg = 1;
  return p;
}

std::string segundalinha(const std::string& s) {
  size_t a = s.find('\n') + 1;
  return s.substr(a, s.find('\n', a) - a);
}

TEST(Marca, TaxaDeFalha) {
  fixaperfil('2');
  const struct {
    int falhas;
    const char* linha;
  } casos[] = {
      {1, "Aviso: Nao consegui colocar 0.065104% dos furos."},
      {153, "Aviso: Nao consegui colocar 9.960938% dos furos."},
      {154, "Cuidado: Nao consegui colocar 10.026042% dos furos."},
      {460, "Cuidado: Nao consegui colocar 29.947917% dos furos."},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.falhas);
    RODADA r = roda(comfalhas(k.falhas), E5, parafalhas(), false);
    EXPECT_EQ(segundalinha(r.saida), k.linha);
  }
}

TEST(MarcaDeathTest, TaxaDeFalhaMuitoAlta) {
  fixaperfil('2');
  IMGBIN D = comfalhas(461);
  // Standard output joins standard error so the pattern sees the printed lines before the error.
  EXPECT_EXIT(
      {
        std::fflush(stdout);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        chama(D, E5, parafalhas());
      },
      ::testing::ExitedWithCode(1),
      relato("Um pixel de perm tem dimensao tambkl=1 tambkc=1\n"
             "Nao consegui colocar 30.013021% dos furos.\n"
             "Erro: Taxa de falha muito alta. Redimensione o sistema"));
}

TEST(MarcaDeathTest, DocumentoMenorQuePerm) {
  fixaperfil('2');
  for (auto [nl, nc] : {std::pair{511, 512}, std::pair{512, 511}, std::pair{0, 0}}) {
    SCOPED_TRACE(std::to_string(nl) + "x" + std::to_string(nc));
    IMGBIN D(nl, nc, true);
    EXPECT_EXIT(
        chama(D, E5, PARAMS()), ::testing::ExitedWithCode(1),
        relato("Erro: Documento pequeno demais; minimo de linhas x colunas =", "512 x 512"));
  }
}

// Two nearby cells A and B whose windows hold a single free pixel X, between them. With
// tamegneg 0 or 1 no square is closed around a placed hole, so both choose X, which is counted
// and drawn once; with 2 or 3 only X itself is closed, and B fails.
TEST(Marca, UmSoPixelLivreParaDuasCelulas) {
  fixaperfil('2');
  const IMGBIN perm = montaperm(E5, 7);
  const std::vector<PONTOI2> pretas = celulaspretas(perm);
  // A pair 2 to 4 apart, no third black cell within 2 of either.
  PONTOI2 A, B;
  bool achou = false;
  for (size_t i = 0; i < pretas.size() && !achou; i++)
    for (size_t j = i + 1; j < pretas.size() && !achou; j++) {
      const PONTOI2 &a = pretas[i], &b = pretas[j];
      int d = cheb(a, b);
      if (d < 2 || d > 4 || !interior(a) || !interior(b)) continue;
      bool so = true;
      for (const PONTOI2& q : pretas)
        if (!(q == a) && !(q == b) && (cheb(q, a) <= 2 || cheb(q, b) <= 2)) so = false;
      if (so) A = a, B = b, achou = true;
    }
  ASSERT_TRUE(achou);
  const PONTOI2 X((A.l + B.l) / 2, (A.c + B.c) / 2);
  ASSERT_TRUE(perm.pega(X.l, X.c));
  IMGBIN Sesperado(perm);
  Sesperado.poe(A.l, A.c, true);
  Sesperado.poe(B.l, B.c, true);
  Sesperado.poe(X.l, X.c, false);

  // White page, tamegneg 0: only black pixels are protected. Black page, tamegpos 0: only
  // white ones are, whatever tamegneg.
  const std::string UMAFALHA = "Aviso: Nao consegui colocar 0.065104% dos furos.";
  const struct {
    bool branca;
    int tamegpos, tamegneg;
    std::string taxa;
  } casos[] = {{true, 9, 0, SEMFALHA},
               {false, 0, 1, SEMFALHA},
               {false, 0, 2, UMAFALHA},
               {false, 0, 3, UMAFALHA}};
  for (const auto& k : casos) {
    SCOPED_TRACE(std::string(k.branca ? "branca" : "preta") + " tamegneg " +
                 std::to_string(k.tamegneg));
    IMGBIN D(512, 512, k.branca);
    quadrado(D, A.l - 2, A.c - 2, 5, !k.branca);
    quadrado(D, B.l - 2, B.c - 2, 5, !k.branca);
    D.poe(X.l, X.c, k.branca);
    PARAMS p;
    p.tamegpos = k.tamegpos;
    p.tamegneg = k.tamegneg;
    RODADA r = roda(D, E5, p);
    EXPECT_EQ(r.saida, linhas(k.taxa, k.branca ? 3071 : 0, k.branca ? 0 : 3071));
    EXPECT_TRUE(iguais(r.S, Sesperado));
    EXPECT_TRUE(iguais(r.R, comfuros(D, Sesperado, 3, 2)));
  }
}

// Blocks of 2 x 3 pixels, centred with a margin of 3 on each side: every pixel less than a block
// from the cell centre is at distance 0, and the first of them in row-major order is chosen.
TEST(Marca, BlocosDeVariosPixels) {
  fixaperfil('2');
  const IMGBIN perm = montaperm(E5, 7);
  // Cell (i, j) has its centre at (3 + 1 + 2i, 3 + 1 + 3j).
  IMGBIN Sesperado(1030, 1543, true);
  for (const PONTOI2& p : celulaspretas(perm)) Sesperado.poe(3 + 2 * p.l, 2 + 3 * p.c, false);
  for (bool branca : {true, false}) {
    SCOPED_TRACE(branca ? "branca" : "preta");
    IMGBIN D(1030, 1543, branca);
    PARAMS p;
    p.tamegneg = 1;  // no squares closed: each cell is on its own
    RODADA r = roda(D, E5, p);
    EXPECT_EQ(r.saida, "Um pixel de perm tem dimensao tambkl=2 tambkc=3\n" + SEMFALHA +
                           "\n#Furos marcados: neg (pt/br)=" + (branca ? "3072" : "0") +
                           "   pos (br/pt)=" + (branca ? "0" : "3072") + "\n");
    EXPECT_TRUE(iguais(r.S, Sesperado));
    EXPECT_TRUE(iguais(r.R, comfuros(D, Sesperado, 3, 2)));
  }
}

}  // namespace
