#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/imagens.h"
#include "core/relato.h"
#include "io/leimp.h"
#include "memoria.h"

namespace {

template <class I>
I lido(const std::string& nome) {
  I img;
  le(img, nome.c_str());
  return img;
}

template <class I>
std::vector<typename I::PIXEL> pixels(const I& img) {
  std::vector<typename I::PIXEL> v;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) v.push_back(img(l, c));
  return v;
}

TEST(Mat, CentroOpcional) {
  struct CASO {
    const char* resto;
    int lc, cc;
  } casos[] = {{"", 0, 1}, {" 0 0", 0, 0}, {" 5", 5, 1}, {" 3 -2 # fim", 3, -2}};
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.resto);
    escrevearquivo(d / "m.txt", std::string("2 3 1 2 3 4 5 6") + c.resto);
    IMGGRY g = lido<IMGGRY>(d / "m.txt");
    EXPECT_EQ(pixels(g), (std::vector<BYTE>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(g.lc, c.lc);
    EXPECT_EQ(g.cc, c.cc);
  }
}

TEST(Mat, ValoresLimitadosEComentarios) {
  DIRTEMP d;
  escrevearquivo(d / "m", "1 2 300 -4");
  EXPECT_EQ(pixels(lido<IMGGRY>(d / "m")), (std::vector<BYTE>{255, 0}));
  escrevearquivo(d / "m", "1 2 40000 max");
  EXPECT_EQ(pixels(lido<IMGSHT>(d / "m")), (std::vector<SHT>{-25536, 32767}));
  escrevearquivo(d / "m", "# linhas e colunas\n2 2 1 0 /* meio */ 0 1\n");
  EXPECT_EQ(pixels(lido<IMGGRY>(d / "m")), (std::vector<BYTE>{1, 0, 0, 1}));
  // Reading allocates anew: a centre or backg the image had is gone.
  IMGGRY g(2, 2, 9);
  g.lc = g.cc = 7;
  g.backg = 3;
  g.LeTxt((d / "m").c_str());
  EXPECT_EQ(g.lc, 0);
  EXPECT_EQ(g.backg, 0);
}

TEST(MatEscrita, LayoutDeCadaClasse) {
  IMGBIN b(1, 2, true);
  b(0, 1) = false;
  struct CASO {
    const char* nome;
    std::function<void(const char*)> imp;
    std::string pixels;
  } casos[] = {
      {"IMGBIN", [&](const char* n) { b.ImpTxt(n); }, "1 0 "},
      {"IMGGRY",
       [](const char* n) {
         IMGGRY(1, 2, {7, 255}).ImpTxt(n);
       },
       "  7 255 "},
      {"IMGSHT",
       [](const char* n) {
         IMGSHT(1, 2, {-5, 1000}).ImpTxt(n);
       },
       " -5 1000 "},
      {"IMGCOR",
       [](const char* n) {
         IMGCOR(1, 2, {COR(1, 20, 255), COR()}).ImpTxt(n);
       },
       "  1  20 255      0   0   0    "},
      {"IMGFLT",
       [](const char* n) {
         IMGFLT(1, 2, {0.5f, 1.0f / 3}).ImpTxt(n);
       },
       "0.5 0.333333 "},
      {"IMGDBL",
       [](const char* n) {
         IMGDBL(1, 2, {0.25, 1e-7}).ImpTxt(n);
       },
       "    0.25    1e-07 "},
      {"IMGCPX",
       [](const char* n) {
         IMGCPX(1, 2, {CPXF(0.5f, -1), CPXF(2, 0)}).ImpTxt(n);
       },
       "(0.5,-1) (2,0) "},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    c.imp((d / "m.txt").c_str());
    EXPECT_EQ(learquivo(d / "m.txt"), "1 2\n\n" + c.pixels + "\n\n0 0\n");
  }
}

// Through the generic writer and reader: pixels and the moved centre come back.
template <class I>
void idaevolta(I img, const char* nome) {
  SCOPED_TRACE(I::NOME);
  DIRTEMP d;
  img.lc = -3;
  img.cc = 12;
  imp(img, (d / nome).c_str());
  I lida = lido<I>(d / nome);
  EXPECT_EQ(pixels(lida), pixels(img));
  EXPECT_EQ(lida.lc, -3);
  EXPECT_EQ(lida.cc, 12);
}

TEST(Mat, IdaEVoltaDeCadaClasse) {
  IMGBIN b(2, 35, true);
  b(1, 34) = false;
  idaevolta(b, "b.mat");
  idaevolta(IMGGRY(2, 2, {0, 1, 128, 255}), "g.txt");
  idaevolta(IMGCOR(1, 2, {COR(1, 2, 3), COR(255, 0, 9)}), "c.txt");
  idaevolta(IMGSHT(1, 3, {-32768, 0, 32767}), "s.txt");
  idaevolta(IMGFLT(1, 3, {0.125f, -2.5f, 1e30f}), "f.txt");
  idaevolta(IMGDBL(1, 2, {-0.5, 1234.5}), "d.txt");
  idaevolta(IMGCPX(1, 2, {CPXF(0.5f, -1), CPXF(-3, 0.25f)}), "x.txt");
}

TEST(MatLeitura, Recusas) {
  struct CASO {
    const char* nome;
    std::function<void(const char*)> ler;
    std::string conteudo, msg;
  } casos[] = {
      {"fim antes dos pixels", [](const char* n) { IMGGRY().LeTxt(n); }, "2 2 1 2 3",
       "LeNum(BYTE)"},
      {"caractere avulso", [](const char* n) { IMGGRY().LeTxt(n); }, "1 2 1 !", "LeNum(BYTE)"},
      {"real curto", [](const char* n) { IMGDBL().LeTxt(n); }, "1 2 0.5", "LeNum(double)"},
      {"complexo pela metade", [](const char* n) { IMGCPX().LeTxt(n); }, "1 1 (0.5,", "LeNum(FLT)"},
      {"bit invalido", [](const char* n) { IMGBIN().LeTxt(n); }, "1 1 2", "LeNum(bool)"},
      {"tamanho nao numerico", [](const char* n) { IMGSHT().LeTxt(n); }, "dois 2", "LeNum(int)"},
      {"centro nao numerico", [](const char* n) { IMGFLT().LeTxt(n); }, "1 1 0 x", "LeNum(int)"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    escrevearquivo(d / "m", c.conteudo);
    EXPECT_EXIT(c.ler((d / "m").c_str()), ::testing::ExitedWithCode(1), relato(c.msg));
  }
  std::string falta = d / "falta.txt";
  EXPECT_EXIT(IMGFLT().LeTxt(falta.c_str()), ::testing::ExitedWithCode(1),
              relato("Erro IMGFLT::LeTxt - Abertura ", falta));
  EXPECT_EXIT(IMGGRY(1, 1, 0).ImpTxt("/dev/full"), ::testing::ExitedWithCode(1),
              relato("Erro IMGGRY::ImpTxt - Escrita de ", "/dev/full"));
}

// Sizes whose product overflows an int, or two negatives whose product is positive, must not
// reach the allocator.
TEST(MatLeitura, TamanhosHostis) {
  DIRTEMP d;
  escrevearquivo(d / "m", "65536 65537 1 2 3");
  EXPECT_EXIT((limitamemoria(), lido<IMGGRY>(d / "m")), ::testing::ExitedWithCode(1),
              relato("LeNum(BYTE)"));
  escrevearquivo(d / "m", "50000 50000 (0,0)");
  EXPECT_EXIT((limitamemoria(), lido<IMGCPX>(d / "m")), ::testing::ExitedWithCode(1),
              relato("LeNum(FLT)"));
  escrevearquivo(d / "m", "-70000 -70000");
  IMGGRY g = lido<IMGGRY>(d / "m");
  EXPECT_EQ(g.n(), 0);
  EXPECT_EQ(g.data, nullptr);
}

std::string bytes32(std::initializer_list<int> v) {
  std::string s;
  for (int x : v)
    for (int i = 0; i < 4; i++)
      s += static_cast<char>((static_cast<unsigned>(x) >> (8 * i)) & 0xFF);
  return s;
}

TEST(Img, LayoutDoArquivo) {
  IMGSHT s(1, 2, {1, -2});
  s.lc = 3;
  s.cc = -1;
  DIRTEMP d;
  s.ImpImg((d / "s.img").c_str());
  EXPECT_EQ(learquivo(d / "s.img"),
            "IMGSHT*\x1a" + bytes32({2, 1, 2, 3, -1}) + std::string("\x01\x00\xfe\xff", 4));
  IMGCPX x(1, 1, {CPXF(1.0f, -2.0f)});
  x.ImpImg((d / "x.img").c_str());
  EXPECT_EQ(learquivo(d / "x.img"), "IMGCPX*\x1a" + bytes32({8, 1, 1, 0, 0}) +
                                        bytes32({0x3f800000, static_cast<int>(0xc0000000)}));
}

template <class I>
void idaevoltaimg(I img) {
  SCOPED_TRACE(I::NOME);
  DIRTEMP d;
  img.lc = 100;
  img.cc = -7;
  imp(img, (d / "i.img").c_str());
  I lida = lido<I>(d / "i.img");
  EXPECT_EQ(pixels(lida), pixels(img));
  EXPECT_EQ(lida.lc, 100);
  EXPECT_EQ(lida.cc, -7);
}

TEST(Img, IdaEVoltaDeCadaClasse) {
  idaevoltaimg(IMGSHT(2, 3, {-32768, -1, 0, 1, 255, 32767}));
  idaevoltaimg(IMGFLT(1, 3, {0.1f, -1e-30f, 3e38f}));
  idaevoltaimg(IMGDBL(3, 1, {0.1, -1e-300, 1e300}));
  idaevoltaimg(IMGCPX(1, 2, {CPXF(0.5f, -1), CPXF(-3, 1e-3f)}));
  idaevoltaimg(IMGFLT());
}

TEST(ImgLeitura, Recusas) {
  const std::string cabflt = "IMGFLT*\x1a" + bytes32({4});
  struct CASO {
    const char* nome;
    std::function<void(const char*)> ler;
    std::string conteudo, msg;
  } casos[] = {
      {"outra classe", [](const char* n) { IMGDBL().LeImg(n); }, cabflt + bytes32({1, 1, 0, 0, 0}),
       "Erro IMGDBL::LeImg - Formato incorreta"},
      {"tamanho de pixel errado", [](const char* n) { IMGFLT().LeImg(n); },
       "IMGFLT*\x1a" + bytes32({8, 1, 1, 0, 0, 0, 0}), "Erro IMGFLT::LeImg - Formato incorreta"},
      {"marcador com zero", [](const char* n) { IMGSHT().LeImg(n); },
       std::string("IMGSH\0*\x1a", 8) + bytes32({2, 0, 0, 0, 0}),
       "Erro IMGSHT::LeImg - Formato incorreta"},
      {"linhas negativas", [](const char* n) { IMGFLT().LeImg(n); },
       cabflt + bytes32({-1, 4, 0, 0}), "Erro IMGFLT::LeImg - Formato incorreta"},
      {"duas dimensoes negativas", [](const char* n) { IMGFLT().LeImg(n); },
       cabflt + bytes32({-2, -2000000000, 0, 0}), "Erro IMGFLT::LeImg - Formato incorreta"},
      {"bloco curto", [](const char* n) { IMGFLT().LeImg(n); },
       cabflt + bytes32({2, 2, 0, 0, 1, 2, 3}), "Erro IMGFLT::LeImg - Fim inesperado"},
      {"cabecalho curto", [](const char* n) { IMGCPX().LeImg(n); }, "IMGCPX*\x1a" + bytes32({8, 1}),
       "Erro IMGCPX::LeImg - Fim inesperado"},
      {"tamanho enorme",
       [](const char* n) {
         limitamemoria();
         IMGFLT().LeImg(n);
       },
       cabflt + bytes32({100000, 100000, 0, 0, 1}), "Erro IMGFLT::LeImg - Fim inesperado"},
      {"tamanho maximo",
       [](const char* n) {
         limitamemoria();
         IMGDBL().LeImg(n);
       },
       "IMGDBL*\x1a" + bytes32({8, 0x7fffffff, 0x7fffffff, 0, 0}),
       "Erro IMGDBL::LeImg - Fim inesperado"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    escrevearquivo(d / "i.img", c.conteudo);
    EXPECT_EXIT(c.ler((d / "i.img").c_str()), ::testing::ExitedWithCode(1), relato(c.msg));
  }
  std::string falta = d / "falta.img";
  EXPECT_EXIT(IMGCPX().LeImg(falta.c_str()), ::testing::ExitedWithCode(1),
              relato("Erro IMGCPX::LeImg - Abertura de ", falta));
  EXPECT_EXIT(IMGSHT(1, 1, 0).ImpImg("/dev/full"), ::testing::ExitedWithCode(1),
              relato("Erro IMGSHT::ImpImg - Escrita de ", "/dev/full"));
}

TEST(ImpHex, PalavrasSemPreencherAsLinhas) {
  IMGBIN linhas(2, 20, true);
  linhas(1, 0) = false;  // bit 20 of the stream: rows run on without padding
  struct CASO {
    const char* nome;
    IMGBIN img;
    std::string esperado;
  } casos[] = {
      {"2x3 branca", IMGBIN(2, 3, true), "2, 3,\n0xfc000000, "},
      {"2x3 preta", IMGBIN(2, 3, false), "2, 3,\n0x00000000, "},
      {"linhas emendadas", linhas, "2, 20,\n0xfffff7ff, 0xff000000, "},
      {"16x16: oito palavras e fim de linha", IMGBIN(16, 16, true),
       "16, 16,\n" +
           [] {
             std::string s;
             for (int i = 0; i < 8; i++) s += "0xffffffff, ";
             return s + "\n";
           }()},
      {"vazia", IMGBIN(), "0, 0,\n"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    c.img.ImpHex((d / "h.txt").c_str());
    EXPECT_EQ(learquivo(d / "h.txt"), c.esperado);
  }
  EXPECT_EXIT(IMGBIN(1, 1, true).ImpHex("/dev/full"), ::testing::ExitedWithCode(1),
              relato("Erro ImpHex - Escrita de ", "/dev/full"));
  EXPECT_EXIT(IMGBIN(1, 1, true).ImpHex("/nao/existe"), ::testing::ExitedWithCode(1),
              relato("Erro ImpHex - abertura de ", "/nao/existe"));
}

}  // namespace
