#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "geraperm.h"
#include "modelo.h"
#include "montaperm.h"
#include "perfil.h"

namespace {

// The embedded vector: the payload length in 16 bits, least significant first, then the payload.
VETORBIT embutido(const std::vector<int>& carga) {
  int n = static_cast<int>(carga.size());
  VETORBIT E(16 + n);
  for (int i = 0; i < 16; i++) E(i) = (n >> i) & 1;
  for (int i = 0; i < n; i++) E(16 + i) = carga[i] != 0;
  return E;
}

std::vector<int> cargapadrao(int n) {
  std::vector<int> carga(n);
  for (int i = 0; i < n; i++) carga[i] = i % 3 == 0;
  return carga;
}

int pretas(const IMGBIN& img) {
  int n = 0;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) n += !img.pega(l, c);
  return n;
}

TEST(Montaperm, DuasPretasPorPosicao) {
  for (char pics : {'2', '4'}) {
    fixaperfil(pics);
    for (int ncarga : {0, 5, nbitslivres}) {
      SCOPED_TRACE(std::string("perfil ") + pics + " carga " + std::to_string(ncarga));
      IMGBIN perm = montaperm(embutido(cargapadrao(ncarga)), 7);
      ASSERT_EQ(perm.nl(), tamperm);
      ASSERT_EQ(perm.nc(), tamperm);
      EXPECT_EQ(pretas(perm), 2 * npos);
    }
  }
}

TEST(Montaperm, CargaDeCincoBits) {
  fixaperfil('2');
  IMGBIN perm = montaperm(embutido({1, 0, 1, 0, 0}), 7);
  // Group 0 carries E[0] = 1: holes on its second and fourth positions, in all four quadrants.
  const PONTOI2 furos[] = {{181, 214}, {437, 214}, {181, 470}, {437, 470},
                           {131, 34},  {387, 34},  {131, 290}, {387, 290}};
  for (PONTOI2 p : furos) EXPECT_FALSE(perm.pega(p.l, p.c)) << p;
  const PONTOI2 semfuro[] = {{9, 197}, {265, 453}, {185, 130}, {441, 386}};
  for (PONTOI2 p : semfuro) EXPECT_TRUE(perm.pega(p.l, p.c)) << p;
}

// Every group, in every quadrant: a bit b leaves holes on positions 4g+1, 4g+3 when b is 1,
// on 4g, 4g+2 when 0. Groups past the vector carry the random group bit.
void conferegrupos(const IMGBIN& perm, const VETORBIT& E, int semente) {
  VETOR<PONTOI2> posicoes;
  geraperm(posicoes, semente);
  for (int g = 0; g < ngrupos; g++) {
    int aleatorio = bitgrupo();
    bool b = g < E.n() ? E(g) : aleatorio;
    for (int k = 0; k < 4; k++) {
      PONTOI2 p = posicoes(4 * g + k);
      bool furo = (k % 2 == 1) == b;
      for (int l = p.l; l < tamperm; l += tamgrade)
        for (int c = p.c; c < tamperm; c += tamgrade)
          ASSERT_EQ(perm.pega(l, c), !furo) << "g=" << g << " k=" << k << " at " << l << "," << c;
    }
  }
}

TEST(Montaperm, CadaGrupoLevaSeuBit) {
  const struct {
    char pics;
    int semente, ncarga;
  } casos[] = {{'2', 7, 0}, {'2', 31, 268}, {'4', 7, 40}};
  for (const auto& caso : casos) {
    SCOPED_TRACE(std::string("perfil ") + caso.pics + " carga " + std::to_string(caso.ncarga));
    fixaperfil(caso.pics);
    VETORBIT E = embutido(cargapadrao(caso.ncarga));
    conferegrupos(montaperm(E, caso.semente), E, caso.semente);
  }
}

TEST(MontapermDeathTest, ExcessoDeBits) {
  fixaperfil('2');
  VETORBIT E = embutido(cargapadrao(269));
  // Standard output joins standard error so the regex sees the count line ahead of the error.
  EXPECT_EXIT(
      {
        std::fflush(stdout);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        montaperm(E, 7);
      },
      ::testing::ExitedWithCode(1),
      "#bits livres=268 bits\\.n-16=269\n"
      "Erro: Excesso de bits\\. Diminua #bits ou redimensione o sistema\\. \n");
}

TEST(Modelo, SoOsGruposDeSincronismo) {
  fixaperfil('2');
  VETOR<PONTOI2> posicoes;
  IMGFLT m = modelo(posicoes, 7);
  ASSERT_EQ(m.nl(), tamgrade);
  ASSERT_EQ(m.nc(), tamgrade);
  ASSERT_EQ(posicoes.n(), npos);
  EXPECT_EQ(posicoes(0), PONTOI2(9, 197));

  int naonulas = 0;
  for (int i = 0; i < m.n(); i++) naonulas += m.data[i] != 0.0f;
  EXPECT_EQ(naonulas, 4 * ngrsinc);

  // +1 exactly where sign leaves the position without a hole, whatever the payload.
  IMGBIN perm = montaperm(embutido(cargapadrao(nbitslivres)), 7);
  for (int k = 4 * ngrdados; k < npos; k++) {
    PONTOI2 p = posicoes(k);
    EXPECT_EQ(m(p.l, p.c), perm.pega(p.l, p.c) ? 1.0f : -1.0f) << "k=" << k;
  }
}

}  // namespace
