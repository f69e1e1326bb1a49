// Interoperability of the page formats with independent tools: netpbm's PNG and TIFF
// converters, libtiff's tools, ghostscript, poppler's tools and qpdf. Pixels and densities are
// compared, not just the fact that a file opened.
#include <gtest/gtest.h>

#include <string>

#include "apoio.h"
#include "imagens_teste.h"
#include "io/densidade.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/pnm.h"
#include "io/tiff.h"
#include "pares.h"

namespace {

// 37 columns, so that rows end inside a byte, and a black corner that shows any inversion.
IMGBIN documento() {
  IMGBIN b(23, 37, true);
  for (int i = 0; i < b.n(); i++)
    if (i % 3 == 0 || i % 7 == 0) b.poe(i / 37, i % 37, false);
  b.poe(0, 0, false);
  b.poe(0, 1, true);
  return b;
}

// A portable map as the pixels our reader makes of it (netpbm's comments and forms aside).
template <class I>
std::vector<int> pnm(const std::string& nome) {
  return pixels(lido<I>(nome));
}

TEST(NetpbmPaginas, LeemOQueEscrevemos) {
  EXIGE("pngtopam", "netpbm");
  EXIGE("tifftopnm", "netpbm");
  DIRTEMP d;
  const IMGBIN b = documento();
  const IMGGRY g = cinza(19, 45);
  const IMGCOR c = colorida(19, 45);
  imp(b, (d / "b.png").c_str());
  imp(g, (d / "g.png").c_str());
  imp(c, (d / "c.png").c_str());
  imp(b, (d / "b.tif").c_str());
  imp(g, (d / "g.tif").c_str());
  imp(c, (d / "c.tif").c_str());
  roda(
      "for f in b g c; do pngtopam $f.png | pamtopnm > $f.png.pnm; "
      "tifftopnm $f.tif > $f.tif.pnm 2>/dev/null; done",
      d);
  for (const char* f : {"b.png.pnm", "b.tif.pnm"}) EXPECT_TRUE(iguais(lido<IMGBIN>(d / f), b)) << f;
  for (const char* f : {"g.png.pnm", "g.tif.pnm"}) EXPECT_EQ(pnm<IMGGRY>(d / f), pixels(g)) << f;
  for (const char* f : {"c.png.pnm", "c.tif.pnm"}) EXPECT_EQ(pnm<IMGCOR>(d / f), pixels(c)) << f;
}

TEST(NetpbmPaginas, LemosOQueEscrevem) {
  EXIGE("pnmtopng", "netpbm");
  EXIGE("pnmtotiff", "netpbm");
  DIRTEMP d;
  const IMGBIN b = documento();
  imppbmb(b, (d / "b.pbm").c_str());
  imppgmb(cinza(19, 45), (d / "g.pgm").c_str());
  impppmb(colorida(19, 45), (d / "c.ppm").c_str());
  roda(
      "pnmtopng b.pbm > b.png && pnmtopng -interlace g.pgm > g.png && pnmtopng c.ppm > c.png "
      "&& pnmtotiff -g4 b.pbm > b4.tif 2>/dev/null && pnmtotiff -g3 b.pbm > b3.tif 2>/dev/null "
      "&& pnmtotiff -minisblack b.pbm > bn.tif 2>/dev/null && pnmtotiff -lzw g.pgm > g.tif "
      "2>/dev/null && pnmtotiff -packbits c.ppm > c.tif 2>/dev/null",
      d);
  for (const char* f : {"b.png", "b4.tif", "b3.tif", "bn.tif"})
    EXPECT_TRUE(iguais(lido<IMGBIN>(d / f), b)) << f;
  for (const char* f : {"g.png", "g.tif"})
    EXPECT_EQ(pixels(lido<IMGGRY>(d / f)), pixels(cinza(19, 45))) << f;
  for (const char* f : {"c.png", "c.tif"})
    EXPECT_EQ(pixels(lido<IMGCOR>(d / f)), pixels(colorida(19, 45))) << f;
}

TEST(Densidades, AsQueOutrasFerramentasGravam) {
  EXIGE("pnmtopng", "netpbm");
  EXIGE("pnmtojpeg", "netpbm");
  EXIGE("tiffinfo", "libtiff-tools");
  DIRTEMP d;
  imppgmb(cinza(8, 8), (d / "g.pgm").c_str());
  roda(
      "pnmtopng -size \"11811 11811 1\" g.pgm > m.png && pnmtopng -size \"3 3 0\" g.pgm > r.png && "
      "pnmtojpeg -density=300x300dpi g.pgm > i.jpg && pnmtojpeg -density=236x236dpcm g.pgm > "
      "c.jpg && pnmtojpeg g.pgm > n.jpg && pnmtotiff -xresolution 600 -yresolution 600 g.pgm "
      "> t.tif 2>/dev/null",
      d);
  struct {
    const char* nome;
    double dpi;  // 0: none recorded
  } casos[] = {{"m.png", 300}, {"r.png", 0}, {"i.jpg", 300},
               {"c.jpg", 599}, {"n.jpg", 0}, {"t.tif", 600}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    DENSIDADE k = densidade((d / c.nome).c_str());
    EXPECT_EQ(k.x, c.dpi);
    EXPECT_EQ(k.y, c.dpi);
  }
  // Ours, as libtiff's own tool reads it.
  imp(cinza(8, 8), (d / "n.tif").c_str(), 200);
  EXPECT_NE(saida("tiffinfo n.tif", d).find("Resolution: 200, 200 pixels/inch"), std::string::npos);
}

// The same bytes with an Exif resolution and no JFIF density, as cameras and phones write.
TEST(Densidades, Exif) {
  DIRTEMP d;
  IMGGRY g = cinza(8, 8);
  g.ImpJpg((d / "a.jpg").c_str(), 90);
  std::string j = learquivo(d / "a.jpg");
  // IFD0 of a little-endian TIFF structure: XResolution, YResolution (72/1), ResolutionUnit 2.
  std::string t("II*\0\x08\0\0\0\x03\0", 10);
  auto e = [&t](int tag, int tipo, uint32_t v) {
    t += {char(tag), char(tag >> 8), char(tipo), 0, 1, 0, 0, 0};
    for (int k = 0; k < 4; k++) t += char(v >> (8 * k));
  };
  e(282, 5, 50), e(283, 5, 58), e(296, 3, 2);
  t += std::string(4, '\0');
  for (int k = 0; k < 2; k++) t += std::string("\x48\0\0\0\x01\0\0\0", 8);
  const std::string app1 = "Exif" + std::string(2, '\0') + t;
  const size_t n = app1.size() + 2;
  // Replace the JFIF segment (right after SOI, 4 + its length bytes from the start) with Exif.
  const size_t jfif =
      4 + ((static_cast<unsigned char>(j[4]) << 8) | static_cast<unsigned char>(j[5]));
  escrevearquivo(d / "e.jpg", j.substr(0, 2) + "\xFF\xE1" + char(n >> 8) + char(n & 255) + app1 +
                                  j.substr(jfif));
  DENSIDADE k = densidade((d / "e.jpg").c_str());
  EXPECT_EQ(k.x, 72);
  EXPECT_EQ(pixels(lido<IMGGRY>(d / "e.jpg")), pixels(lido<IMGGRY>(d / "a.jpg")));
}

// Exif offsets that point past the block (one near 2^32, which once wrapped round) read as no
// density.
TEST(Densidades, ExifForaDoBloco) {
  DIRTEMP d;
  std::string t("II*\0\x08\0\0\0\x03\0", 10);
  auto e = [&t](int tag, int tipo, uint32_t v) {
    t += {char(tag), char(tag >> 8), char(tipo), 0, 1, 0, 0, 0};
    for (int k = 0; k < 4; k++) t += char(v >> (8 * k));
  };
  e(282, 5, 0xFFFFFFF0u), e(283, 5, 60000), e(296, 3, 2);
  const std::string app1 = "Exif" + std::string(2, '\0') + t + std::string(2, '\0');
  const size_t n = app1.size() + 2;
  escrevearquivo(d / "e.jpg", "\xFF\xD8\xFF\xE1" + std::string(1, char(n >> 8)) +
                                  char(n & 255) + app1 + "\xFF\xD9");
  EXPECT_FALSE(densidade((d / "e.jpg").c_str()).conhecida());
}

// BMP keeps pixels per metre: 7874 is 200 dpi; our writer records none.
TEST(Densidades, BmpEmPixelsPorMetro) {
  DIRTEMP d;
  IMGBIN(4, 4, true).ImpBmp((d / "a.bmp").c_str());
  EXPECT_FALSE(densidade((d / "a.bmp").c_str()).conhecida());
  std::string b = learquivo(d / "a.bmp");
  for (int campo : {38, 42})
    for (int k = 0; k < 4; k++) b[campo + k] = static_cast<char>(7874 >> (8 * k));
  escrevearquivo(d / "b.bmp", b);
  EXPECT_EQ(densidade((d / "b.bmp").c_str()).x, 200);
  EXPECT_EQ(densidade((d / "b.bmp").c_str()).y, 200);
}

TEST(LibtiffTools, CopiasEAzulejos) {
  EXIGE("tiffcp", "libtiff-tools");
  DIRTEMP d;
  imp(documento(), (d / "b.tif").c_str(), 200);
  imp(colorida(40, 50), (d / "c.tif").c_str());
  roda(
      "tiffcp -c zip -t -w 16 -l 16 c.tif ct.tif && tiffcp -c lzw b.tif bl.tif && "
      "tiffcp -c jpeg -r 16 c.tif cj.tif && tiffcp b.tif c.tif duas.tif",
      d);
  EXPECT_EQ(pixels(lido<IMGCOR>(d / "ct.tif")), pixels(colorida(40, 50)));
  EXPECT_TRUE(iguais(lido<IMGBIN>(d / "bl.tif"), documento()));
  IMGCOR cj = lido<IMGCOR>(d / "cj.tif");
  EXPECT_EQ(cj.nl(), 40);
  EXPECT_EQ(npaginastif((d / "duas.tif").c_str()), 2);
  IMGCOR c2;
  letif(c2, (d / "duas.tif").c_str(), 1);
  EXPECT_EQ(pixels(c2), pixels(colorida(40, 50)));
  EXPECT_NE(saida("tiffinfo b.tif", d).find("CCITT Group 4"), std::string::npos);
}

// Our print-ready pages, rasterised by ghostscript and by poppler at the page's dpi and at a
// printer's 600 dpi: every pixel, each a 3 x 3 block at 600.
TEST(PdfPares, GhostscriptEPopplerReproduzemCadaPixel) {
  EXIGE("gs", "ghostscript");
  EXIGE("pdftoppm", "poppler-utils");
  EXIGE("qpdf", "qpdf");
  DIRTEMP d;
  IMGBIN b(220, 170, true);
  for (int l = 0; l < b.nl(); l++)
    for (int c = 0; c < b.nc(); c++)
      b.poe(l, c,
            !((l > 50 && l < 120 && c > 30 && c < 90 && (l * 7 + c) % 31) ||
              ((l / 2 * 13 + c / 2 * 5) % 97 == 0)));
  b.poe(0, 0, false);
  imppdf(b, (d / "p.pdf").c_str(), 200);
  roda("qpdf --check p.pdf > /dev/null", d);
  for (int dpi : {200, 600}) {
    SCOPED_TRACE(dpi);
    const std::string r = std::to_string(dpi);
    roda("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pbmraw -r" + r + " -sOutputFile=gs.pbm p.pdf",
         d);
    roda("pdftoppm -r " + r + " -gray p.pdf pp && mv pp-1.pgm pp.pgm", d);
    IMGBIN esperado(b.nl() * dpi / 200, b.nc() * dpi / 200, true);
    for (int l = 0; l < esperado.nl(); l++)
      for (int c = 0; c < esperado.nc(); c++)
        esperado.poe(l, c, b.pega(l * 200 / dpi, c * 200 / dpi));
    EXPECT_TRUE(iguais(lido<IMGBIN>(d / "gs.pbm"), esperado));
    const IMGGRY pp = lido<IMGGRY>(d / "pp.pgm");
    EXPECT_EQ(pixels(pp), pixels(IMGGRY(esperado)));  // not a single grey pixel either
  }
  EXPECT_NE(saida("pdfimages -list p.pdf", d).find("200   200"), std::string::npos);
}

// Scanners' PDFs (here made by libtiff's tiff2pdf): the page's image comes back as stored, at
// its own resolution, whatever its encoding.
TEST(PdfPares, PaginasDigitalizadasComoGuardadas) {
  EXIGE("tiff2pdf", "libtiff-tools");
  EXIGE("qpdf", "qpdf");
  DIRTEMP d;
  const IMGBIN b = documento();
  const IMGGRY g = cinza(66, 51);
  imp(b, (d / "b.tif").c_str(), 200);
  imp(g, (d / "g.tif").c_str(), 300);
  roda(
      "tiff2pdf -o g4.pdf b.tif && tiff2pdf -o fl.pdf g.tif && tiff2pdf -j -q 95 -o j.pdf g.tif "
      "&& qpdf --encrypt \"\" dono 256 -- fl.pdf cifrado.pdf && qpdf --empty vazio.pdf",
      d);
  IMGGRY lida;
  EXPECT_EQ(lepdfdigitalizado(lida, (d / "g4.pdf").c_str(), 0), 200);
  EXPECT_EQ(pixels(lida), pixels(IMGGRY(b)));
  EXPECT_EQ(lepdfdigitalizado(lida, (d / "fl.pdf").c_str(), 0), 300);
  EXPECT_EQ(pixels(lida), pixels(g));
  EXPECT_EQ(densidade((d / "fl.pdf").c_str()).x, 300);
  EXPECT_EQ(lepdfdigitalizado(lida, (d / "j.pdf").c_str(), 0), 300);
  EXPECT_EQ(lida.nl(), 66);
  int maior = 0;
  for (int i = 0; i < g.n(); i++) maior = std::max(maior, std::abs(lida.data[i] - g.data[i]));
  EXPECT_LE(maior, 6);
  // An owner password alone (printing rights) does not stop reading; a user password does.
  EXPECT_EQ(lepdfdigitalizado(lida, (d / "cifrado.pdf").c_str(), 0), 300);
  roda("qpdf --encrypt leitor dono 256 -- fl.pdf fechado.pdf", d);
  EXPECT_EXIT(npaginaspdf((d / "fechado.pdf").c_str()), ::testing::ExitedWithCode(1),
              "^Erro LePdf - PDF protegido por senha .*fechado.pdf\n$");
  EXPECT_EXIT(npaginaspdf((d / "vazio.pdf").c_str()), ::testing::ExitedWithCode(1),
              "^Erro LePdf - PDF (sem paginas|invalido ou danificado) .*vazio.pdf\n$");
}

// imgconv carries the density: a 200 dpi G4 TIFF becomes a letter-size PDF page, and a
// scanned PDF's page becomes its own image.
TEST(ImgConvPaginas, DensidadeAtravessa) {
  EXIGE("pdfinfo", "poppler-utils");
  DIRTEMP d;
  IMGBIN carta(2200, 1700, true);
  carta.poe(10, 10, false);
  imp(carta, (d / "carta.tif").c_str(), 200);
  SAIDA s = executa(programa("imgconv"), {"bin", d / "carta.tif", d / "carta.pdf"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_NE(saida("pdfinfo carta.pdf", d).find("612 x 792 pts (letter)"), std::string::npos);
  imppdf(cinza(66, 51), (d / "scan.pdf").c_str(), 300);
  s = executa(programa("imgconv"), {"gry", d / "scan.pdf", d / "scan.tga"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(pixels(lido<IMGGRY>(d / "scan.tga")), pixels(cinza(66, 51)));
  s = executa(programa("imgconv"), {"gry", d / "scan.pdf", d / "scan.png"});
  EXPECT_EQ(densidade((d / "scan.png").c_str()).x, 300);
  // A drawn page is rendered at the dpi asked for; pages count from 1.
  imppdf(std::vector<IMGBIN>{carta, IMGBIN(100, 100, true)}, (d / "duas.pdf").c_str(), 200);
  s = executa(programa("imgconv"), {"bin", d / "duas.pdf", d / "p2.tif", "2", "400"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(lido<IMGBIN>(d / "p2.tif").nl(), 200);
  EXPECT_EQ(densidade((d / "p2.tif").c_str()).x, 400);
  s = executa(programa("imgconv"), {"bin", d / "duas.pdf", d / "p3.tif", "3"});
  EXPECT_EQ(s.status, 1);
  EXPECT_EQ(s.err, "Erro LePdf - Pagina inexistente " + d / "duas.pdf" + "\n");
}

}  // namespace
