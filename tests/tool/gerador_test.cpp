#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gerador.h"
#include "geraperm.h"
#include "perfil.h"
#include "permutacao.h"

namespace {

// Read before any test draws: the state the process starts with.
const int32_t estadoinicial = gerador;

TEST(Gerador, SequenciaAposSemente7) {
  semeia(7);
  const int esperados[] = {1893934089, 1347617989, 2052999861, 1148907478, 1662512569, 939016066};
  for (int v : esperados) EXPECT_EQ(sorteia(), v);
  EXPECT_EQ(gerador, 0x30A3E6A6);
}

TEST(Gerador, EstadoInicialEhOdaSemente7) {
  semeia(7);
  EXPECT_EQ(estadoinicial, gerador);
}

TEST(Permutacao, QuatroItensAposSemente7) {
  semeia(7);
  VETOR<int> p = permutacao(4);
  ASSERT_EQ(p.n(), 4);
  const int esperados[] = {1, 3, 2, 0};
  for (int i = 0; i < 4; i++) EXPECT_EQ(p(i), esperados[i]) << "i=" << i;
}

TEST(Permutacao, MenosDeTresItensFicamSemSorteio) {
  for (int n = 0; n < 3; n++) {
    semeia(7);
    VETOR<int> p = permutacao(n);
    ASSERT_EQ(p.n(), n);
    for (int i = 0; i < n; i++) EXPECT_EQ(p(i), i);
    EXPECT_EQ(sorteia(), 1893934089) << "n=" << n << " drew from gerador";
  }
}

TEST(Permutacao, CadaValorUmaVez) {
  semeia(12345);
  const int n = 1000;
  VETOR<int> p = permutacao(n);
  VETOR<int> vezes(n);
  for (int i = 0; i < n; i++) vezes(p(i))++;
  for (int v = 0; v < n; v++) EXPECT_EQ(vezes(v), 1) << "v=" << v;
}

struct CASOPERFIL {
  char pics;
  PONTOI2 primeiras[4];
  PONTOI2 ultima;
  int bits[8];
};

const CASOPERFIL CASOS[] = {
    {'2', {{9, 197}, {181, 214}, {185, 130}, {131, 34}}, {143, 226}, {1, 0, 0, 0, 0, 1, 0, 0}},
    {'4', {{9, 197}, {181, 470}, {441, 386}, {131, 34}}, {496, 128}, {1, 0, 0, 0, 1, 0, 0, 1}},
};

TEST(Geraperm, PosicoesEBitsDaSemente7) {
  for (const CASOPERFIL& caso : CASOS) {
    SCOPED_TRACE(std::string("perfil ") + caso.pics);
    fixaperfil(caso.pics);
    VETOR<PONTOI2> posicoes;
    geraperm(posicoes, 7);
    ASSERT_EQ(posicoes.n(), npos);
    for (int k = 0; k < 4; k++) EXPECT_EQ(posicoes(k), caso.primeiras[k]) << "k=" << k;
    EXPECT_EQ(posicoes(npos - 1), caso.ultima);
    for (int g = 0; g < 8; g++) EXPECT_EQ(bitgrupo(), caso.bits[g]) << "g=" << g;
  }
}

// Marks every position on the grid, then looks for another one in its 9 x 9 neighbourhood.
void confereseparacao(const VETOR<PONTOI2>& posicoes) {
  VETOR<int> dono(tamgrade * tamgrade);
  for (int k = 0; k < posicoes.n(); k++) {
    PONTOI2 p = posicoes(k);
    ASSERT_TRUE(p.l >= 0 && p.l < tamgrade && p.c >= 0 && p.c < tamgrade) << "k=" << k;
    dono(p.l * tamgrade + p.c) = k + 1;
  }
  for (int k = 0; k < posicoes.n(); k++) {
    PONTOI2 p = posicoes(k);
    for (int l = std::max(p.l - 4, 0); l <= std::min(p.l + 4, tamgrade - 1); l++)
      for (int c = std::max(p.c - 4, 0); c <= std::min(p.c + 4, tamgrade - 1); c++) {
        int d = dono(l * tamgrade + c);
        EXPECT_TRUE(d == 0 || d == k + 1) << "positions " << k << " and " << d - 1;
      }
  }
}

TEST(Geraperm, PosicoesAfastadas) {
  const struct {
    char pics;
    int semente;
  } casos[] = {{'2', 7}, {'2', 1}, {'4', 7}, {'4', 99991}};
  for (const auto& caso : casos) {
    SCOPED_TRACE(std::string("perfil ") + caso.pics + " semente " + std::to_string(caso.semente));
    fixaperfil(caso.pics);
    VETOR<PONTOI2> posicoes;
    geraperm(posicoes, caso.semente);
    confereseparacao(posicoes);
  }
}

TEST(Geraperm, TamanhoCertoPreenchidoNoLugar) {
  fixaperfil('2');
  VETOR<PONTOI2> posicoes(npos);
  const PONTOI2* bloco = posicoes.data;
  geraperm(posicoes, 7);
  EXPECT_EQ(posicoes.data, bloco);
  EXPECT_EQ(posicoes(0), PONTOI2(9, 197));
}

TEST(Geraperm, OutroTamanhoRealocado) {
  fixaperfil('2');
  VETOR<PONTOI2> posicoes(5);
  geraperm(posicoes, 7);
  ASSERT_EQ(posicoes.n(), npos);
  EXPECT_EQ(posicoes(npos - 1), PONTOI2(143, 226));
}

// These seeds bring the generator to 0, where it stays: one position fits, the next never.
const int SEMENTESPRESAS[] = {123459876, 2024023771};

TEST(Geraperm, SementePresaDaPrimeiraEmZero) {
  for (int semente : SEMENTESPRESAS) {
    fixaperfil('2');
    npos = 1;
    VETOR<PONTOI2> posicoes;
    geraperm(posicoes, semente);
    EXPECT_EQ(posicoes(0), PONTOI2(0, 0)) << "semente " << semente;
    EXPECT_EQ(sorteia(), 0);
  }
  fixaperfil('2');
}

TEST(GerapermDeathTest, SementePresaEsgotaTentativas) {
  fixaperfil('2');
  for (int semente : SEMENTESPRESAS) {
    VETOR<PONTOI2> posicoes;
    EXPECT_EXIT(geraperm(posicoes, semente), ::testing::ExitedWithCode(1),
                "Erro: Fiz 10000 tentativas e nao achei local para furo na permutacao")
        << "semente " << semente;
  }
}

}  // namespace
