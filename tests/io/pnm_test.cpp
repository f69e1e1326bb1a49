#include "io/pnm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "apoio.h"
#include "core/imagens.h"
#include "core/relato.h"
#include "io/leimp.h"
#include "memoria.h"
#include "imagens_teste.h"

namespace {

const std::string CAB = "#Created by Tavolin\n";


// 2 x 10 with a black background: black pixels at (0, 0) and (0, 9).
IMGBIN dezcolunas(bool fundo) {
  IMGBIN b(2, 10, true);
  b(0, 0) = false;
  b(0, 9) = false;
  b.backg = fundo;
  return b;
}

TEST(PnmEscrita, LayoutDeCadaForma) {
  IMGGRY g(2, 3, {0, 7, 255, 10, 100, 200});
  IMGCOR cor(1, 2, {COR(1, 2, 3), COR(255, 0, 10)});
  IMGBIN b(2, 3, true);
  b(0, 1) = false;
  b(1, 0) = false;
  b(1, 1) = false;
  struct CASO {
    const char* nome;
    std::function<void(const char*)> imp;
    std::string esperado;
  } casos[] = {
      {"P2 2x3", [&](const char* n) { imppgmt(g, n); },
       "P2\n" + CAB + "3 2\n255\n  0   7 255 \n 10 100 200 \n"},
      {"P5", [&](const char* n) { imppgmb(g, n); },
       "P5\n" + CAB + "3 2\n255\n" + std::string("\x00\x07\xff\x0a\x64\xc8", 6)},
      {"P3", [&](const char* n) { impppmt(cor, n); },
       "P3\n" + CAB + "2 1\n255\n  1   2   3  255   0  10  \n"},
      {"P6", [&](const char* n) { impppmb(cor, n); },
       "P6\n" + CAB + "2 1\n255\n" + std::string("\x01\x02\x03\xff\x00\x0a", 6)},
      {"P1: 1 preto", [&](const char* n) { imppbmt(b, n); },
       "P1\n" + CAB + "3 2\n0 1 0 \n1 1 0 \n"},
      {"P4 de 10 colunas, fundo branco", [](const char* n) { imppbmb(dezcolunas(true), n); },
       "P4\n" + CAB + "10 2\n" + std::string("\x80\x40\x00\x00", 4)},
      {"P4 de 10 colunas, fundo preto", [](const char* n) { imppbmb(dezcolunas(false), n); },
       "P4\n" + CAB + "10 2\n" + std::string("\x80\x7f\x00\x3f", 4)},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    std::string nome = d / "x";
    c.imp(nome.c_str());
    EXPECT_EQ(learquivo(nome), c.esperado);
  }
}

// Writes img under nome with the generic writer, checks the form written to arquivo and reads
// it back with the generic reader.
template <class I>
void idaevolta(const I& img, const DIRTEMP& d, const char* nome, const char* marca) {
  SCOPED_TRACE(nome);
  imp(img, (d / nome).c_str());
  std::string arquivo = d / std::string(nome).substr(0, 5);  // the number is not in the name
  ASSERT_EQ(learquivo(arquivo).substr(0, 3), std::string(marca) + "\n");
  EXPECT_EQ(pixels(lido<I>(arquivo)), pixels(img));
}

TEST(Pnm, IdaEVoltaPeloSufixo) {
  IMGGRY g(3, 37);
  IMGCOR cor(3, 37);
  IMGBIN b(3, 37, true);
  for (int i = 0; i < g.n(); i++) {
    g.data[i] = static_cast<BYTE>(i * 7);
    cor.data[i] = COR(static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3));
    if (i % 3 == 0) b(i / 37, i % 37) = false;
  }
  DIRTEMP d;
  idaevolta(g, d, "x.pgm", "P5");
  idaevolta(g, d, "x.pgm2", "P2");
  idaevolta(cor, d, "x.ppm", "P6");
  idaevolta(cor, d, "x.ppm1", "P3");
  idaevolta(b, d, "x.pbm", "P4");
  idaevolta(b, d, "x.pbm9", "P1");
}

TEST(PnmLeitura, ValoresDePgm) {
  struct CASO {
    const char* nome;
    std::string conteudo;
    std::vector<int> esperado;
  } casos[] = {
      {"binario de maximo 15", "P5\n3 1\n15\n" + std::string("\x0f\x08\x00", 3), {255, 136, 0}},
      {"texto de maximo 1000", "P2\n3 1\n1000\n1000 500 0\n", {255, 128, 0}},
      {"texto de maximo 255 limita", "P2\n2 1\n255\n300 -4\n", {255, 0}},
      {"texto de maximo 100 limita", "P2 2 1 100 -5 200", {0, 255}},
      {"comentario apos o marcador", "P5 # comentario\n2\n2 255\nabcd", {'a', 'b', 'c', 'd'}},
      {"CR LF consome so o CR", "P5\n2 1\n255\r\n\x05", {'\n', 5}},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    escrevearquivo(d / "g.tga", c.conteudo);
    EXPECT_EQ(pixels(lido<IMGGRY>(d / "g.tga")), c.esperado);
  }
  // The reader folds case; the content test of the generic reader does not.
  escrevearquivo(d / "g", "p2 1 1 255 9");
  IMGGRY g;
  lepgmt(g, (d / "g").c_str());
  EXPECT_EQ(pixels(g), std::vector<int>{9});
}

TEST(PnmLeitura, ValoresDePpmEPbm) {
  DIRTEMP d;
  escrevearquivo(d / "c", "P6\n2 1\n255\n" + std::string("\x01\x02\x03\xff\x00\x7f", 6));
  EXPECT_EQ(pixels(lido<IMGCOR>(d / "c")), (std::vector<int>{1, 2, 3, 255, 0, 127}));
  escrevearquivo(d / "c", "P3 1 1 15 15 8 0");
  EXPECT_EQ(pixels(lido<IMGCOR>(d / "c")), (std::vector<int>{255, 136, 0}));
  escrevearquivo(d / "b", "P1\n3 2\n0 1 0\n1 1 0\n");
  EXPECT_EQ(pixels(lido<IMGBIN>(d / "b")), (std::vector<int>{1, 0, 1, 0, 0, 1}));
  // 10 columns take 2 bytes per row; the padding bits (set in row 0) are ignored.
  escrevearquivo(d / "b", "P4\n10 2\n" + std::string("\x80\x7f\x40\x00", 4));
  IMGBIN b = lido<IMGBIN>(d / "b");
  std::vector<int> esperado(20, 1);
  esperado[0] = esperado[9] = esperado[10 + 1] = 0;
  EXPECT_EQ(pixels(b), esperado);
}

TEST(PnmLeitura, Recusas) {
  const std::string P5 = "Erro lepgmb - Fim inesperado";
  typedef std::function<void(const char*)> LEITOR;
  auto pgmb = [](const char* n) {
    IMGGRY g;
    lepgmb(g, n);
  };
  auto pgmt = [](const char* n) {
    IMGGRY g;
    lepgmt(g, n);
  };
  auto pbmt = [](const char* n) {
    IMGBIN b;
    lepbmt(b, n);
  };
  auto pbmb = [](const char* n) {
    IMGBIN b;
    lepbmb(b, n);
  };
  auto ppmt = [](const char* n) {
    IMGCOR c;
    leppmt(c, n);
  };
  auto ppmb = [](const char* n) {
    IMGCOR c;
    leppmb(c, n);
  };
  struct CASO {
    const char* nome;
    LEITOR ler;
    std::string conteudo, msg;
  } casos[] = {
      {"P2 para lepgmb", pgmb, "P2 1 1 255 0", "Erro lepgmb: Formato nao-PGMB (BINARY)"},
      {"P5 para lepgmt", pgmt, "P5 1 1 255 0", "Erro lepgmt: Formato nao-PGMT (TEXT)"},
      {"P4 para lepbmt", pbmt, "P4 1 1 0", "Erro lepbmt: Formato nao-PBMT (TEXT)"},
      {"P1 para lepbmb", pbmb, "P1 1 1 0", "Erro lepbmb: Formato nao-PBMB (BINARY)"},
      {"P6 para leppmt", ppmt, "P6 1 1 255 abc", "Erro leppmt: Formato nao-PPMT (TEXT)"},
      {"P5x para leppmb", ppmb, "P5x 1 1 255 abc", "Erro leppmb: Formato nao-PPMB (BINARY)"},
      {"binario de maximo 1000", pgmb, "P5 1 1 1000 ab", "Erro: ncores>255"},
      {"ppm binario de maximo 256", ppmb, "P6 1 1 256 abcdef", "Erro: ncores>255"},
      {"maximo 0 binario", pgmb, "P5 1 1 0 a", "Erro: ncores<1"},
      {"maximo 0 texto", ppmt, "P3 1 1 0 0 0 0", "Erro: ncores<1"},
      {"P1 sem brancos", pbmt, "P1\n4 1\n0101\n", "LeNum(bool)"},
      {"P1 com valor 2", pbmt, "P1 2 1 1 2", "LeNum(bool)"},
      {"tamanho nao numerico", pgmt, "P2 x 2 255", "LeNum(int)"},
      {"valor nao numerico de maximo 255", pgmt, "P2 1 1 255 abc", "LeNum(BYTE)"},
      {"valor nao numerico de maximo 100", pgmt, "P2 1 1 100 abc", "LeNum(int)"},
      {"P2 curto", pgmt, "P2 2 2 255 1 2 3", "LeNum(BYTE)"},
      {"P5 curto", pgmb, "P5\n4 4\n255\n" + std::string(10, 'x'), P5},
      {"P5 sem pixels", pgmb, "P5\n4 4\n255\n", P5},
      {"P4 curto", pbmb, "P4\n16 2\nabc", "Erro lepbmb - Fim inesperado"},
      {"P6 curto", ppmb, "P6 2 1 255\nabcde", "Erro leppmb - Fim inesperado"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.nome);
    std::string nome = d / "x";
    escrevearquivo(nome, c.conteudo);
    EXPECT_EXIT(c.ler(nome.c_str()), ::testing::ExitedWithCode(1), relato(c.msg));
  }
  std::string falta = d / "falta.pgm";
  EXPECT_EXIT(pgmt(falta.c_str()), ::testing::ExitedWithCode(1),
              relato("Erro lepgmt - Abertura de ", falta));
}

// A header of a few bytes announcing gigapixels stops before anything is sized for them.
TEST(PnmLeitura, CabecalhoHostilNaoAloca) {
  struct CASO {
    std::string conteudo, msg;
  } casos[] = {
      {"P5 100000 100000 255\nabcd", "Erro lepgmb - Fim inesperado"},
      {"P6 2000000000 2000000000 255\nabcd", "Erro leppmb - Fim inesperado"},
      {"P4 2147483647 2147483647\nabcd", "Erro lepbmb - Fim inesperado"},
      {"P2 100000 100000 255\n1 2 3", "LeNum(BYTE)"},
      {"P3 100000 100000 7\n1 2 3", "LeNum(int)"},
      {"P1 2147483647 2147483647 0 1", "LeNum(bool)"},
  };
  DIRTEMP d;
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.conteudo.substr(0, 2));
    std::string nome = d / "h";
    escrevearquivo(nome, c.conteudo);
    EXPECT_EXIT((limitamemoria(), lido<IMGBIN>(nome)), ::testing::ExitedWithCode(1), relato(c.msg));
  }
}

TEST(PnmEscrita, DiscoCheioEhFatal) {
  IMGGRY g(2, 2, 1);
  IMGCOR cor(2, 2, COR(1, 2, 3));
  IMGBIN b(2, 2, true);
  struct CASO {
    std::function<void()> imp;
    const char* msg;
  } casos[] = {
      {[&] { imppbmt(b, "/dev/full"); }, "Erro imppbmt - Escrita de "},
      {[&] { imppbmb(b, "/dev/full"); }, "Erro imppbmb - Escrita de "},
      {[&] { imppgmt(g, "/dev/full"); }, "Erro imppgmt - Escrita de "},
      {[&] { imppgmb(g, "/dev/full"); }, "Erro imppgmb - Escrita de "},
      {[&] { impppmt(cor, "/dev/full"); }, "Erro impppmt - Escrita de "},
      {[&] { impppmb(cor, "/dev/full"); }, "Erro impppmb - Escrita de "},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.msg);
    EXPECT_EXIT(c.imp(), ::testing::ExitedWithCode(1), relato(c.msg, "/dev/full"));
  }
  EXPECT_EXIT(imppgmb(g, "/nao/existe.pgm"), ::testing::ExitedWithCode(1),
              relato("Erro imppgmb - Abertura de ", "/nao/existe.pgm"));
}

TEST(ImgConv, ConverteEUsoErrado) {
  const std::string uso =
      "Uso: imgconv CLASSE entrada saida [pagina [dpi]] (CLASSE: bin, gry, cor, sht, flt, dbl, "
      "cpx, i3dgry, i3dcor, i3dsht, i3dflt ou i3dcpx; pagina de um TIFF ou PDF, a partir de 1; "
      "dpi de uma pagina de PDF desenhada e da saida cuja entrada nao registra densidade, 200 "
      "se omitido) \n";
  ASSERT_TRUE(existe(programa("imgconv")));
  DIRTEMP d;
  IMGGRY g(2, 3, {0, 7, 255, 10, 100, 200});
  imppgmb(g, (d / "g.pgm").c_str());
  SAIDA s = executa(programa("imgconv"), {"gry", d / "g.pgm", d / "t.pgm2"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(learquivo(d / "t.pgm"), "P2\n" + CAB + "3 2\n255\n  0   7 255 \n 10 100 200 \n");
  const std::vector<std::vector<std::string>> erradas = {
      {}, {"gry", "a"}, {"int", "a", "b"}, {"gry", "a", "b", "c"}, {"gry", "a", "b", "0"},
      {"gry", "a", "b", "1", "-3"}, {"gry", "a", "b", "1.5"}, {"gry", "a", "b", "1", "2", "3"}};
  for (const auto& args : erradas) {
    SAIDA e = executa(programa("imgconv"), args);
    EXPECT_EQ(e.status, 1);
    EXPECT_EQ(e.err, uso);
  }
  SAIDA falta = executa(programa("imgconv"), {"bin", d / "falta", d / "x.pbm"});
  EXPECT_EQ(falta.status, 1);
  EXPECT_EQ(falta.err, "Erro TipoImg - Abertura  " + d / "falta" + "\n");
}

// The tool reads its document and its scan through the generic reader, so a PBM document and
// PGM or JPEG scans work with neither mode changed: same marked pixels, same payload back.
TEST(Morvia, AssinaEVerificaComOutrosFormatos) {
  const std::string carga = std::string(MORVIA_SOURCE_DIR) + "/samples/carga.vet";
  for (const char* p : {"geradoc", "printscan"}) ASSERT_TRUE(existe(programa(p))) << p;
  DIRTEMP d;
  ASSERT_EQ(executa(programa("geradoc"), {d / "doc.bmp"}).status, 0);
  imppbmb(lido<IMGBIN>(d / "doc.bmp"), (d / "doc.pbm").c_str());
  ASSERT_EQ(morvia({"s2s", d / "doc.bmp", carga, d / "a.bmp"}).status, 0);
  ASSERT_EQ(morvia({"s2s", d / "doc.pbm", carga, d / "b.bmp"}).status, 0);
  EXPECT_EQ(pixels(lido<IMGBIN>(d / "a.bmp")), pixels(lido<IMGBIN>(d / "b.bmp")));

  ASSERT_EQ(executa(programa("printscan"), {d / "a.bmp", d / "scan.tga"}).status, 0);
  IMGGRY scan = lido<IMGGRY>(d / "scan.tga");
  imp(scan, (d / "scan.pgm").c_str());
  imp(scan, (d / "scan.jpg95").c_str());
  SAIDA tga = morvia({"v2s", d / "scan.tga", d / "tga.vet"});
  ASSERT_EQ(tga.status, 0) << tga.err;
  SAIDA pgm = morvia({"v2s", d / "scan.pgm", d / "pgm.vet"});
  EXPECT_EQ(pgm.status, 0) << pgm.err;
  EXPECT_EQ(pgm.out, tga.out);
  EXPECT_EQ(learquivo(d / "pgm.vet"), learquivo(d / "tga.vet"));
  SAIDA jpg = morvia({"v2s", d / "scan.jpg", d / "jpg.vet"});
  EXPECT_EQ(jpg.status, 0) << jpg.err;
  EXPECT_EQ(learquivo(d / "jpg.vet"), learquivo(d / "tga.vet"));
}

}  // namespace
