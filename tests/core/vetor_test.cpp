#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/vetor.h"

namespace {

const int FORA = -1;  // expected index of a case that names the backg cell

// Five elements 10..14, backg 0, centre index 2.
VETOR<int> cinco() {
  VETOR<int> v(5);
  for (int i = 0; i < 5; i++) v(i) = 10 + i;
  v.backg = 0;
  v.ic = 2;
  return v;
}

}  // namespace

TEST(Vetor, ModosDeAcesso) {
  struct CASO {
    char letra;
    int codigo;
    int i;
    int esperado;  // element addressed, or FORA
  };
  const CASO casos[] = {
      {'n', 0, 3, 3},  {'n', 0, 5, FORA},  {'n', 0, -1, FORA}, {'e', 2, 0, 0},
      {'e', 2, 4, 4},  {'r', 3, -1, 4},    {'r', 3, 7, 2},     {'r', 3, -6, 4},
      {'r', 3, 4, 4},  {'c', 4, 0, 2},     {'c', 4, -2, 0},    {'c', 4, 2, 4},
      {'c', 4, 3, FORA}, {'c', 4, -3, FORA},
  };
  for (const CASO& k : casos)
    for (int modo : {static_cast<int>(k.letra), k.codigo}) {
      SCOPED_TRACE("modo " + std::to_string(modo) + " i " + std::to_string(k.i));
      VETOR<int> v = cinco();
      v(k.i, modo) = 99;
      EXPECT_EQ(v(k.i, modo), 99);
      EXPECT_EQ(v.backg, k.esperado == FORA ? 99 : 0);
      std::vector<int> mudados;
      for (int j = 0; j < 5; j++)
        if (v(j) != 10 + j) mudados.push_back(j);
      EXPECT_EQ(mudados, k.esperado == FORA ? std::vector<int>() : std::vector<int>{k.esperado});
    }
}

TEST(VetorDeathTest, AcessosFatais) {
  struct CASO {
    int n, i, modo;  // modo -1: checked access v(i)
    const char* msg;
  };
  const CASO casos[] = {
      {5, 5, 'e', "Erro VETOR::operator\\(i,'e'\\) - Indice invalido"},
      {5, -1, 2, "Erro VETOR::operator\\(i,'e'\\) - Indice invalido"},
      {5, 0, 'x', "Erro VETOR::operator\\(i,modo\\) - modo invalido"},
      {5, 0, 1, "Erro VETOR::operator\\(i,modo\\) - modo invalido"},
      {5, 0, 'N', "Erro VETOR::operator\\(i,modo\\) - modo invalido"},
      {5, 5, -1, "Erro VETOR::operator\\(\\) - Indice invalido"},
      {5, -1, -1, "Erro VETOR::operator\\(\\) - Indice invalido"},
      {0, 0, -1, "Erro VETOR::operator\\(\\) - Indice invalido"},
      {-3, 0, -1, "Erro VETOR::operator\\(\\) - Indice invalido"},
      {0, 0, 'r', "Indice invalido"},  // no element to wrap onto
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE("n " + std::to_string(k.n) + " i " + std::to_string(k.i));
    VETOR<int> v(k.n);
    if (k.modo < 0)
      EXPECT_EXIT(v(k.i), ::testing::ExitedWithCode(1), k.msg);
    else
      EXPECT_EXIT(v(k.i, k.modo), ::testing::ExitedWithCode(1), k.msg);
  }
}

TEST(Vetor, AlocaVazioGuardaN) {
  for (int n : {0, -3}) {
    VETOR<double> v;
    v.ic = 4;
    v.backg = 2.5;
    v.aloca(n);
    EXPECT_EQ(v.n(), n);
    EXPECT_EQ(v.data, nullptr);
    EXPECT_EQ(v.ic, 0);
    EXPECT_EQ(v.backg, 2.5);
    EXPECT_EQ(v(0, 'n'), 2.5);
  }
}

TEST(Vetor, ListaEResize) {
  VETOR<double> v(3, {1.5, 2.5, 3.5});
  EXPECT_EQ(v.n(), 3);
  EXPECT_EQ(v(0), 1.5);
  EXPECT_EQ(v(2), 3.5);
  double* bloco = v.data;
  v.ic = 1;
  v.resize(3);
  EXPECT_EQ(v.data, bloco);
  EXPECT_EQ(v.ic, 1);
  EXPECT_EQ(v(1), 2.5);
  v.resize(6);
  EXPECT_EQ(v.n(), 6);
  EXPECT_EQ(v.ic, 0);
}

TEST(Vetor, CopiaGuardaIcNaoBackg) {
  VETOR<int> v = cinco();
  v.backg = 9;
  VETOR<int> w(v);
  EXPECT_EQ(w.n(), 5);
  EXPECT_EQ(w.ic, 2);
  EXPECT_EQ(w.backg, 0);
  EXPECT_NE(w.data, v.data);
  for (int i = 0; i < 5; i++) EXPECT_EQ(w(i), 10 + i);
  w(0) = 50;
  EXPECT_EQ(v(0), 10);
}

TEST(Vetor, AtribuicaoRealocaSoComOutraContagem) {
  VETOR<int> v = cinco();
  v.backg = 9;

  VETOR<int> mesma(5);
  mesma.backg = 4;
  int* bloco = mesma.data;
  mesma = v;
  EXPECT_EQ(mesma.data, bloco);
  EXPECT_EQ(mesma.ic, 2);
  EXPECT_EQ(mesma.backg, 4);
  for (int i = 0; i < 5; i++) EXPECT_EQ(mesma(i), 10 + i);

  VETOR<int> outra(2);
  outra = v;
  EXPECT_EQ(outra.n(), 5);
  EXPECT_EQ(outra.ic, 2);
  for (int i = 0; i < 5; i++) EXPECT_EQ(outra(i), 10 + i);

  VETOR<int> vazia;
  outra = vazia;
  EXPECT_EQ(outra.n(), 0);
  EXPECT_EQ(outra.data, nullptr);
}
