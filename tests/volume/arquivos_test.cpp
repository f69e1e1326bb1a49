// Native volume files, numbered TGA sequences and the generic volume reader and writer.
#include <gtest/gtest.h>

#include <string>

#include "apoio.h"
#include "core/relato.h"
#include "io/memoria.h"
#include "volume/leimpvol.h"

namespace {

I3DFLT exemplo() {
  I3DFLT v(3, 2, 4);
  for (int q = 0; q < 3; q++)
    for (int l = 0; l < 2; l++)
      for (int c = 0; c < 4; c++) v(q, l, c) = q - 0.25f * l + 0.125f * c;
  v(1).lc = -3;
  v(2).cc = 17;
  return v;
}

template <class V>
void mesmos(const V& a, const V& b) {
  ASSERT_EQ(a.nq(), b.nq());
  ASSERT_EQ(a.nl(), b.nl());
  ASSERT_EQ(a.nc(), b.nc());
  for (int q = 0; q < a.nq(); q++) {
    EXPECT_EQ(a(q).lc, b(q).lc);
    EXPECT_EQ(a(q).cc, b(q).cc);
    for (int i = 0; i < a(q).n(); i++) EXPECT_EQ(a(q).data[i], b(q).data[i]) << q << " " << i;
  }
}

TEST(VolumeImg, IdaEVoltaDasTresClasses) {
  DIRTEMP d;
  I3DFLT f = exemplo();
  imp(f, (d / "v.img").c_str());
  I3DFLT lf;
  le(lf, (d / "v.img").c_str());
  mesmos(f, lf);

  I3DSHT s(2, 3, 1);
  s(1, 2, 0) = -300;
  s(0).lc = 5;
  imp(s, (d / "s.img").c_str());
  I3DSHT ls(7, 7, 7);
  le(ls, (d / "s.img").c_str());
  mesmos(s, ls);

  I3DCPX x(2, 1, 2);
  x(1, 0, 1) = CPXF(0.5f, -1);
  imp(x, (d / "x.img").c_str());
  I3DCPX lx;
  le(lx, (d / "x.img").c_str());
  mesmos(x, lx);
}

TEST(VolumeImg, Cabecalho) {
  DIRTEMP d;
  I3DSHT s(2, 1, 3);
  s.ImpImg((d / "s.img").c_str());
  std::string b = learquivo(d / "s.img");
  ASSERT_EQ(b.size(), 12u + 2 * (28 + 6));
  EXPECT_EQ(b.substr(0, 8), "I3DSHT*\x1a");
  EXPECT_EQ(b.substr(8, 4), std::string("\2\0\0\0", 4));
  EXPECT_EQ(b.substr(12, 8), "IMGSHT*\x1a");
  EXPECT_EQ(b.substr(20, 20), std::string("\2\0\0\0\1\0\0\0\3\0\0\0\0\0\0\0\1\0\0\0", 20));
}

// Fixtures cut from a written file: the header of frame 2 starts at 12 + 28 + 16 bytes.
TEST(VolumeImgDeath, ArquivosInvalidos) {
  DIRTEMP d;
  I3DFLT f(2, 2, 2);
  f.ImpImg((d / "v.img").c_str());
  const std::string bom = learquivo(d / "v.img");
  auto le32 = [](int v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  struct CASO {
    const char* nome;
    std::string conteudo;
    std::string msg;
  } casos[] = {
      {"outro volume", std::string(bom).replace(0, 7, "I3DSHT*"),
       "Erro I3DFLT::LeImg - Formato incorreta 1"},
      {"quadro sht", std::string(bom).replace(12, 7, "IMGSHT*"),
       "Erro I3DFLT::LeImg - Formato incorreta 2"},
      {"tamanho do pixel", std::string(bom).replace(20, 4, le32(8)),
       "Erro I3DFLT::LeImg - Formato incorreta 2"},
      {"segundo quadro maior", std::string(bom).replace(56 + 12, 4, le32(3)),
       "Erro: Dimensoes de imagens diferentes"},
      {"cortado", bom.substr(0, bom.size() - 1), "Erro I3DFLT::LeImg - Fim inesperado 3"},
      {"quadros demais", std::string(bom).replace(8, 4, le32(3)),
       "Erro I3DFLT::LeImg - Fim inesperado 3"},
      {"quadro enorme", std::string(bom).replace(24, 8, le32(1 << 30) + le32(1 << 30)),
       "Erro I3DFLT::LeImg - Fim inesperado 3"},
      {"milhoes de quadros", std::string(bom).replace(8, 4, le32(1 << 30)),
       "Erro I3DFLT::LeImg - Fim inesperado 3"},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    escrevearquivo(d / "r.img", c.conteudo);
    std::string nome = d / "r.img";
    EXPECT_EXIT(
        {
          limitamemoria();
          I3DFLT v;
          v.LeImg(nome.c_str());
        },
        testing::ExitedWithCode(1), relato(c.msg));
  }
  EXPECT_EXIT(f.LeImg("/nao/existe"), testing::ExitedWithCode(1),
              relato("Erro I3DFLT::LeImg - Abertura de ", "/nao/existe"));
  EXPECT_EXIT(f.ImpImg("/dev/full"), testing::ExitedWithCode(1),
              relato("Erro I3DFLT::ImpImg - Escrita de ", "/dev/full"));
}

TEST(SeqTga, NomesNumeradosEConversaoParaCinza) {
  DIRTEMP d;
  I3DGRY g(3, 2, 2);
  g(2, 1, 0) = 77;
  imp(g, (d / "seq").c_str());
  for (const char* n : {"seq000.tga", "seq001.tga", "seq002.tga"}) EXPECT_TRUE(existe(d / n)) << n;
  EXPECT_FALSE(existe(d / "seq003.tga"));
  IMGGRY q;
  le(q, (d / "seq002.tga").c_str());
  EXPECT_EQ(q(1, 0), 77);

  I3DFLT f(1, 1, 3);
  f(0, 0, 0) = -1;
  f(0, 0, 1) = 0.5f;
  f(0, 0, 2) = 2;
  imp(f, (d / "f").c_str());
  le(q, (d / "f000.tga").c_str());
  EXPECT_EQ(q(0, 0), 0);
  EXPECT_EQ(q(0, 1), 127);
  EXPECT_EQ(q(0, 2), 255);

  I3DCOR c(1, 1, 1);
  c(0, 0, 0) = COR(1, 2, 3);
  imp(c, (d / "c").c_str());
  IMGCOR qc;
  le(qc, (d / "c000.tga").c_str());
  EXPECT_EQ(qc(0, 0), COR(1, 2, 3));
}

TEST(SeqTga, QuadroMilOuMaisTemNumeroMaisLongo) {
  DIRTEMP d;
  I3DSHT s(1001, 1, 1);
  s(1000, 0, 0) = 400;
  imp(s, (d / "seq").c_str());
  EXPECT_TRUE(existe(d / "seq999.tga"));
  IMGGRY q;
  le(q, (d / "seq1000.tga").c_str());
  EXPECT_EQ(q(0, 0), 255);
}

TEST(VolumeDispatch, FloatPorAviEmCinza) {
  DIRTEMP d;
  I3DFLT f(2, 1, 2);
  f(0, 0, 0) = 1;
  f(1, 0, 1) = 0.2f;
  imp(f, (d / "f.avi").c_str());
  EXPECT_EQ(TipoImg((d / "f.avi").c_str()), AVI_8BIT);
  I3DFLT lf;
  le(lf, (d / "f.avi").c_str());
  ASSERT_EQ(lf.nq(), 2);
  EXPECT_EQ(lf(0, 0, 0), 1.0f);
  EXPECT_FLOAT_EQ(lf(1, 0, 1), 51 / 255.0f);
}

TEST(VolumeDispatchDeath, FormasRecusadas) {
  DIRTEMP d;
  std::string tga = d / "seq.tga", txt = d / "v.txt", avi = d / "v.avi";
  I3DGRY g(1, 1, 1);
  I3DCOR c(1, 1, 1);
  I3DSHT s(1, 1, 1);
  I3DFLT f(1, 1, 1);
  I3DCPX x(1, 1, 1);
  const auto morre = [](auto&& stmt, const std::string& nome, const char* msg) {
    EXPECT_EXIT(stmt(), testing::ExitedWithCode(1), relato(nome, msg));
  };
  morre([&] { imp(g, tga.c_str()); }, tga,
        " Erro: deve imprimir I3DGRY como seq de TGA (nome sem extensao) ou AVI");
  morre([&] { imp(c, txt.c_str()); }, txt,
        " Erro: deve imprimir I3DCOR como seq de TGA (nome sem extensao) ou AVI");
  morre([&] { imp(s, avi.c_str()); }, avi,
        " Erro: deve imprimir I3DSHT como IMG ou seq de TGA (nome sem extensao)");
  morre([&] { imp(f, tga.c_str()); }, tga,
        " Erro: deve imprimir I3DFLT como IMG ou seq de TGA (nome sem extensao)");
  morre([&] { imp(x, (d / "x").c_str()); }, d / "x", "");

  // A reader takes only its own forms.
  s.ImpImg((d / "s.img").c_str());
  std::string simg = d / "s.img";
  EXPECT_EXIT(le(f, simg.c_str()), testing::ExitedWithCode(1),
              relato("Tipo de imagem invalido ", simg));
  g.ImpAvi(avi.c_str());
  EXPECT_EXIT(le(c, avi.c_str()), testing::ExitedWithCode(1),
              relato("Tipo de imagem invalido ", avi));
}

}  // namespace
