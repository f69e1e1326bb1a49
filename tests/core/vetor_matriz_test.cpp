#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/algebra.h"
#include "core/matriz.h"
#include "core/vetortxt.h"
#include "relato.h"

namespace {

const auto FATAL = ::testing::ExitedWithCode(1);

template <class T>
std::vector<T> elementos(const VETOR<T>& v) { return std::vector<T>(v.data, v.data + v.n()); }
template <class T>
std::vector<T> elementos(const MATRIZ<T>& m) { return std::vector<T>(m.data, m.data + m.n()); }

typedef std::vector<double> DS;

}  // namespace

TEST(Matriz, AcessoPorLinhas) {
  MATRIZ<double> m(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(m.nl(), 2);
  EXPECT_EQ(m.nc(), 3);
  EXPECT_EQ(m.n(), 6);
  EXPECT_EQ(m(1, 0), 4);
  m(0, 2) = 9;
  EXPECT_EQ(m.data[2], 9);
  MATRIZ<double> c(m);
  c(0, 0) = -1;
  EXPECT_EQ(m(0, 0), 1);
  MATRIZ<double> d;
  d = c;
  EXPECT_EQ(elementos(d), (DS{-1, 2, 9, 4, 5, 6}));
}

TEST(Matriz, TamanhosVazios) {
  const int casos[][2] = {{0, 0}, {0, 4}, {3, 0}, {-2, 3}, {-2, -3}};
  for (const auto& k : casos) {
    MATRIZ<int> m(k[0], k[1]);
    EXPECT_EQ(m.n(), 0);
    EXPECT_EQ(m.data, nullptr);
  }
}

TEST(MatrizDeathTest, Falhas) {
  MATRIZ<int> m(2, 3);
  const std::string indice = relato("Erro MATRIZ::operator(l,c) - Indice invalido");
  EXPECT_EXIT(m(2, 0), FATAL, indice);
  EXPECT_EXIT(m(0, 3), FATAL, indice);
  EXPECT_EXIT(m(-1, 0), FATAL, indice);
  EXPECT_EXIT((MATRIZ<double>(1, 2, {1, 2, 3})), FATAL, indice);
  EXPECT_EXIT((MATRIZ<double>(65536, 65536)), FATAL, relato("Erro MATRIZ::aloca - Falta memoria"));
}

TEST(Algebra, Vetores) {
  VETOR<double> a(3, {1, 2, 3}), b(3, {4, 5, 7});
  EXPECT_EQ(elementos(a - b), (DS{-3, -3, -4}));
  EXPECT_EQ(elementos(a + b), (DS{5, 7, 10}));
  EXPECT_EQ(elementos(0.5 + a), (DS{1.5, 2.5, 3.5}));
  EXPECT_EQ(a * b, 35);
  EXPECT_EQ(VETOR<double>(0) * VETOR<double>(0), 0.0);
  EXPECT_EQ((VETOR<double>(0) + VETOR<double>(0)).n(), 0);
  VETOR<CPXD> x(2, {CPXD(1, 2), CPXD(0, 1)}), y(2, {CPXD(3, -1), CPXD(0, 1)});
  EXPECT_EQ(elementos(x * y), (std::vector<CPXD>{CPXD(5, 5), CPXD(-1, 0)}));
}

TEST(Algebra, Matrizes) {
  MATRIZ<double> A(2, 3, {1, 2, 3, 4, 5, 6}), B(3, 2, {1, 0, 0, 1, 2, 2});
  VETOR<double> v3(3, {1, 0, -1}), v2(2, {1, 2});
  EXPECT_EQ(elementos(A * v3), (DS{-2, -2}));
  EXPECT_EQ(elementos(v2 * A), (DS{9, 12, 15}));
  MATRIZ<double> AB = A * B;
  EXPECT_EQ(AB.nl(), 2);
  EXPECT_EQ(AB.nc(), 2);
  EXPECT_EQ(elementos(AB), (DS{7, 8, 16, 17}));
  EXPECT_EQ(elementos(A - A), (DS(6, 0.0)));
  EXPECT_EQ(elementos(A + A), (DS{2, 4, 6, 8, 10, 12}));
  EXPECT_EQ(elementos(2.0 * A), (DS{2, 4, 6, 8, 10, 12}));
  MATRIZ<double> T = transposta(A);
  EXPECT_EQ(T.nl(), 3);
  EXPECT_EQ(elementos(T), (DS{1, 4, 2, 5, 3, 6}));
  EXPECT_EQ(traco(AB), 24);
  EXPECT_EQ(elementos(identidade(2)), (DS{1, 0, 0, 1}));
  EXPECT_EQ(elementos(MATRIZ<double>(0, 3) * VETOR<double>(3, {1, 2, 3})), DS{});
  EXPECT_EQ(elementos(VETOR<double>(0) * MATRIZ<double>(0, 2)), (DS{0, 0}));
}

TEST(AlgebraDeathTest, Tamanhos) {
  VETOR<double> a3(3), a4(4);
  VETOR<CPXD> c3(3), c4(4);
  MATRIZ<double> A23(2, 3), A32(3, 2), A22(2, 2);
  struct CASO {
    std::function<void()> op;
    const char* msg;
  };
  const CASO casos[] = {
      {[&] { a3 - a4; }, "operator-: Os vetores nao tem o mesmo tamanho"},
      {[&] { a3 + a4; }, "operator+: Os vetores nao tem o mesmo tamanho"},
      {[&] { (void)(a3 * a4); }, "Erro operator*: os vetores nao tem mesmo tamanho"},
      {[&] { c3 * c4; }, "Erro VETOR<CPXD> operator*: tamanhos diferentes"},
      {[&] { A23 * a4; }, "operator*: Numero de colunas != numero de linhas"},
      {[&] { a3 * A23; }, "operator*: Numero de elementos != numero de linhas"},
      {[&] { A23 * A23; }, "operator*: Numero de colunas != numero de linhas"},
      {[&] { A23 - A32; }, "operator-: As matrizes nao tem o mesmo tamanho"},
      {[&] { A23 + A22; }, "operator+: As matrizes nao tem o mesmo tamanho"},
      {[&] { (void)traco(A23); }, "Erro: Matriz nao-quadrada"},
  };
  for (const CASO& k : casos) EXPECT_EXIT(k.op(), FATAL, relato(k.msg)) << k.msg;
}

namespace {

// Writes o, checks the bytes, reads them back into r.
template <class C>
void idaevolta(const C& o, const std::string& texto, C& r) {
  DIRTEMP d;
  imp(o, (d / "x.txt").c_str());
  EXPECT_EQ(learquivo(d / "x.txt"), texto);
  le(r, (d / "x.txt").c_str());
}

}  // namespace

TEST(VetorTxt, IdaEVolta) {
  VETOR<int> vi(2, {1, -2}), ri;
  idaevolta(vi, "2\n\n1\n-2\n", ri);
  EXPECT_EQ(elementos(ri), (std::vector<int>{1, -2}));

  VETOR<double> vd(3, {0.5, 1e30, -0.125}), rd;
  idaevolta(vd, "3\n\n0.5\n1e+30\n-0.125\n", rd);
  EXPECT_EQ(elementos(rd), elementos(vd));

  VETOR<PONTO2> vp(2), rp;
  vp(0) = PONTO2(1.5, -2);
  vp(1) = PONTO2(0, 3.25);
  idaevolta(vp, "2 2\n\n1.5 -2\n0 3.25\n", rp);
  ASSERT_EQ(rp.n(), 2);
  EXPECT_EQ(rp(1).c, 3.25);
  EXPECT_EQ(rp(0).l, 1.5);

  VETOR<PONTOI2> vq(2, {PONTOI2(3, 4), PONTOI2(-5, 6)}), rq;
  idaevolta(vq, "2 2\n\n3 4\n-5 6\n", rq);
  EXPECT_EQ(elementos(rq), elementos(vq));

  MATRIZ<int> mi(2, 3, {1, 2, 3, 4, 5, 6}), rmi(7, 7);
  idaevolta(mi, "2 3\n\n1 2 3 \n4 5 6 \n", rmi);
  EXPECT_EQ(rmi.nc(), 3);
  EXPECT_EQ(elementos(rmi), elementos(mi));

  MATRIZ<double> md(2, 2, {0.5, 1, 2, -3}), rmd;
  idaevolta(md, "2 2\n0.5 1 \n2 -3 \n", rmd);
  EXPECT_EQ(elementos(rmd), elementos(md));

  VETOR<int> vazio, rv(4);
  idaevolta(vazio, "0\n\n", rv);
  EXPECT_EQ(rv.n(), 0);
}

TEST(VetorTxt, LeituraLivreDeLeiaute) {
  DIRTEMP d;
  escrevearquivo(d / "m.txt", "# tabela\n2,2 (1 2) /* segunda */ (3 4)");
  MATRIZ<double> m;
  le(m, (d / "m.txt").c_str());
  EXPECT_EQ(elementos(m), (DS{1, 2, 3, 4}));

  // The block is kept when the count matches, replaced when it does not.
  escrevearquivo(d / "v.txt", "3 7 8 9");
  VETOR<int> tres(3), quatro(4);
  int* bloco = tres.data;
  le(tres, (d / "v.txt").c_str());
  le(quatro, (d / "v.txt").c_str());
  EXPECT_EQ(tres.data, bloco);
  EXPECT_EQ(quatro.n(), 3);
  EXPECT_EQ(elementos(quatro), (std::vector<int>{7, 8, 9}));
}

TEST(VetorTxtDeathTest, Conteudo) {
  DIRTEMP d;
  struct CASO {
    std::function<void(const char*)> le;
    const char* texto;
    const char* msg;
  };
  const CASO casos[] = {
      {[](const char* n) { VETOR<PONTO2> v; le(v, n); }, "3 3\n\n1 2\n",
       "Erro: Numero de colunas != 2"},
      {[](const char* n) { VETOR<PONTOI2> v; le(v, n); }, "1 2\n\n1\n", "LeNum(int)"},
      {[](const char* n) { VETOR<double> v; le(v, n); }, "2\n\n1 x\n", "LeNum(double)"},
      // Counts the file cannot hold are refused before anything is sized for them.
      {[](const char* n) { VETOR<double> v; le(v, n); }, "2000000000\n\n1\n", "LeNum(double)"},
      {[](const char* n) { MATRIZ<double> m; le(m, n); }, "40000 40000\n1 2\n", "LeNum(double)"},
      {[](const char* n) { MATRIZ<int> m; le(m, n); }, "100000 100000\n1\n",
       "Erro MATRIZ::aloca - Falta memoria"},
  };
  for (const CASO& k : casos) {
    escrevearquivo(d / "x.txt", k.texto);
    EXPECT_EXIT(k.le((d / "x.txt").c_str()), FATAL, relato(k.msg)) << k.texto;
  }
}

TEST(VetorTxtDeathTest, Arquivos) {
  const char* nome = "/nao/existe.txt";
  VETOR<int> vi;
  VETOR<double> vd;
  VETOR<PONTO2> vp;
  VETOR<PONTOI2> vq;
  MATRIZ<int> mi;
  MATRIZ<double> md;
  struct CASO {
    std::function<void(const char*)> op;
    const char* msg;
  };
  const CASO casos[] = {
      {[&](const char* n) { imp(vi, n); }, "Erro imp(VETOR<int>,nome) - abertura de "},
      {[&](const char* n) { le(vi, n); }, "Erro le(VETOR<int>,nome) - abertura de "},
      {[&](const char* n) { imp(vd, n); }, "Erro imp(VETOR<double>,nome) - abertura de "},
      {[&](const char* n) { le(vd, n); }, "Erro le(VETOR<double> - Abertura "},
      {[&](const char* n) { imp(vp, n); }, "Erro imp(VETOR<PONTO2>,nome) - abertura de "},
      {[&](const char* n) { le(vp, n); }, "Erro le(VETOR<PONTO2>,nome) - abertura de "},
      {[&](const char* n) { imp(vq, n); }, "Erro imp(VETOR<PONTOI2>,nome) - abertura de "},
      {[&](const char* n) { le(vq, n); }, "Erro le(VETOR<PONTOI2>,nome) - abertura de "},
      {[&](const char* n) { imp(mi, n); }, "Erro imp(MATRIZ<int>,nome) - abertura de "},
      {[&](const char* n) { le(mi, n); }, "Erro le(MATRIZ<int>,nome) - abertura de "},
      {[&](const char* n) { imp(md, n); }, "Erro imp(MATRIZ<double> - Abertura "},
      {[&](const char* n) { le(md, n); }, "Erro le(MATRIZ<double> - Abertura "},
  };
  for (const CASO& k : casos) EXPECT_EXIT(k.op(nome), FATAL, relato(k.msg, nome)) << k.msg;
  // A full disk: every writer stops with its own message and the name.
  const CASO cheio[] = {
      {[](const char* n) { imp(VETOR<int>(3), n); }, "Erro imp(VETOR<int>,nome) - Escrita de "},
      {[](const char* n) { imp(VETOR<double>(3), n); },
       "Erro imp(VETOR<double>,nome) - Escrita de "},
      {[](const char* n) { imp(VETOR<PONTO2>(3), n); },
       "Erro imp(VETOR<PONTO2>,nome) - Escrita de "},
      {[](const char* n) { imp(VETOR<PONTOI2>(3), n); },
       "Erro imp(VETOR<PONTOI2>,nome) - Escrita de "},
      {[](const char* n) { imp(MATRIZ<int>(2, 2), n); },
       "Erro imp(MATRIZ<int>,nome) - Escrita de "},
      {[](const char* n) { imp(MATRIZ<double>(2, 2), n); },
       "Erro imp(MATRIZ<double> - Escrita de "},
  };
  for (const CASO& k : cheio) EXPECT_EXIT(k.op("/dev/full"), FATAL, relato(k.msg, "/dev/full")) << k.msg;
}
