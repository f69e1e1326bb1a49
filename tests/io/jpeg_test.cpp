#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "apoio.h"
#include "core/imagens.h"
#include "core/relato.h"
#include "io/leimp.h"
#include "memoria.h"
#include "imagens_teste.h"

namespace {

const std::string LEITURA = "Erro: Leitura JPG";

struct DIFERENCA {
  int maxima = 0;
  double media = 0;
};

DIFERENCA diferenca(const IMGGRY& a, const IMGGRY& b) {
  DIFERENCA d;
  for (int i = 0; i < a.n(); i++) {
    int e = std::abs(a.data[i] - b.data[i]);
    d.maxima = std::max(d.maxima, e);
    d.media += e;
  }
  d.media /= a.n();
  return d;
}

DIFERENCA diferenca(const IMGCOR& a, const IMGCOR& b) {
  DIFERENCA d;
  for (int i = 0; i < a.n(); i++)
    for (int e :
         {a.data[i].r - b.data[i].r, a.data[i].g - b.data[i].g, a.data[i].b - b.data[i].b}) {
      d.maxima = std::max(d.maxima, std::abs(e));
      d.media += std::abs(e);
    }
  d.media /= 3.0 * a.n();
  return d;
}

template <class I>
void confereperto(const I& lida, const I& original, int maxima, double media) {
  ASSERT_EQ(lida.nl(), original.nl());
  ASSERT_EQ(lida.nc(), original.nc());
  DIFERENCA d = diferenca(lida, original);
  EXPECT_LE(d.maxima, maxima);
  EXPECT_LE(d.media, media);
}

TEST(Jpeg, IdaEVoltaCinzaECor) {
  DIRTEMP d;
  IMGGRY g = cinza(61, 83);
  imp(g, (d / "g.jpg").c_str());
  confereperto(lido<IMGGRY>(d / "g.jpg"), g, 6, 1.0);
  IMGCOR c = colorida(61, 83);
  imp(c, (d / "c.jpg").c_str());
  confereperto(lido<IMGCOR>(d / "c.jpg"), c, 8, 1.5);
}

TEST(Jpeg, QualidadeVemDoNome) {
  DIRTEMP d;
  IMGGRY g = cinza(40, 40);
  imp(g, (d / "a.jpg50").c_str());
  EXPECT_FALSE(existe(d / "a.jpg50"));
  g.ImpJpg((d / "q50.jpg").c_str(), 50);
  EXPECT_EQ(learquivo(d / "a.jpg"), learquivo(d / "q50.jpg"));
  imp(g, (d / "b.jpg").c_str());
  g.ImpJpg((d / "q90.jpg").c_str(), 90);
  EXPECT_EQ(learquivo(d / "b.jpg"), learquivo(d / "q90.jpg"));
  EXPECT_NE(learquivo(d / "q50.jpg"), learquivo(d / "q90.jpg"));
  IMGCOR c = colorida(20, 20);
  imp(c, (d / "c.jpg75").c_str());
  c.ImpJpg((d / "q75.jpg").c_str(), 75);
  EXPECT_EQ(learquivo(d / "c.jpg"), learquivo(d / "q75.jpg"));
}

// A colour file read as grey takes (r + g + b + 1) / 3 of the decoded colour; a grey file read
// as colour repeats its sample in the three channels.
TEST(Jpeg, ConversaoEntreCinzaECor) {
  DIRTEMP d;
  colorida(30, 50).ImpJpg((d / "c.jpg").c_str(), 90);
  IMGCOR c = lido<IMGCOR>(d / "c.jpg");
  IMGGRY g = lido<IMGGRY>(d / "c.jpg");
  ASSERT_EQ(g.n(), c.n());
  for (int i = 0; i < g.n(); i++)
    ASSERT_EQ(g.data[i], (c.data[i].r + c.data[i].g + c.data[i].b + 1) / 3) << i;

  cinza(30, 50).ImpJpg((d / "g.jpg").c_str(), 90);
  IMGGRY g1 = lido<IMGGRY>(d / "g.jpg");
  IMGCOR c1 = lido<IMGCOR>(d / "g.jpg");
  ASSERT_EQ(c1.n(), g1.n());
  for (int i = 0; i < g1.n(); i++) ASSERT_EQ(c1.data[i], COR(g1.data[i], g1.data[i], g1.data[i]));
}

// Offset of the baseline frame header's height field in a file this library writes.
size_t alturasof(const std::string& s) {
  size_t p = s.find("\xff\xc0");
  return p == std::string::npos ? p : p + 5;
}

TEST(JpegLeitura, ArquivosDanificados) {
  DIRTEMP d;
  cinza(64, 64).ImpJpg((d / "v.jpg").c_str(), 90);
  const std::string valido = learquivo(d / "v.jpg");
  size_t sof = alturasof(valido);
  ASSERT_NE(sof, std::string::npos);
  std::string corrompido = valido;
  for (size_t i = valido.size() / 2; i < valido.size() / 2 + 40; i++) corrompido[i] = '\x13';
  std::string enorme = valido;
  enorme.replace(sof, 4, "\x9c\x40\x9c\x40");  // 40000 x 40000 from a file of a few KB
  struct CASO {
    const char* nome;
    std::string conteudo;
  } casos[] = {
      {"nao eh JPEG", "ola, mundo"},
      {"vazio", ""},
      {"so o inicio", valido.substr(0, 2)},
      {"cortado no cabecalho", valido.substr(0, sof + 2)},
      {"cortado no meio", valido.substr(0, valido.size() / 2)},
      {"sem o fim de imagem", valido.substr(0, valido.size() - 2)},
      {"dados corrompidos", corrompido},
      {"tamanho enorme", enorme},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    std::string nome = d / "x.jpg";
    escrevearquivo(nome, c.conteudo);
    EXPECT_EXIT((limitamemoria(), IMGGRY().LeJpg(nome.c_str())), ::testing::ExitedWithCode(1),
                relato(LEITURA));
    EXPECT_EXIT((limitamemoria(), IMGCOR().LeJpg(nome.c_str())), ::testing::ExitedWithCode(1),
                relato(LEITURA));
  }
  std::string falta = d / "falta.jpg";
  EXPECT_EXIT(IMGGRY().LeJpg(falta.c_str()), ::testing::ExitedWithCode(1),
              relato("can't open ", falta));
}

TEST(JpegEscrita, Falhas) {
  EXPECT_EXIT(IMGGRY().ImpJpg("/dev/null", 90), ::testing::ExitedWithCode(1),
              relato("Erro: Escrita JPG"));
  EXPECT_EXIT(cinza(8, 8).ImpJpg("/dev/full", 90), ::testing::ExitedWithCode(1),
              relato("Erro ImpJpg - Escrita de ", "/dev/full"));
  EXPECT_EXIT(colorida(300, 300).ImpJpg("/dev/full", 90), ::testing::ExitedWithCode(1),
              relato("Erro ImpJpg - Escrita de ", "/dev/full"));
  EXPECT_EXIT(IMGCOR(2, 2).ImpJpg("/nao/existe.jpg", 90), ::testing::ExitedWithCode(1),
              relato("Erro ImpJpg - Abertura de ", "/nao/existe.jpg"));
}

}  // namespace
