// The page formats people have, on the user's road: documents and scans as PNG, TIFF and PDF
// are signed and verified exactly as the BMP and TGA of the same pixels, and a page printed
// from our PDF (rasterised as a printer's RIP does) and scanned at 300 dpi reads back.
#include <gtest/gtest.h>

#include <string>

#include "apoio.h"
#include "core/vetorbit.h"
#include "imagens_teste.h"
#include "io/densidade.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "pares.h"
#include "proc/reamostragem.h"

namespace {

const std::string CARGA = std::string(MORVIA_SOURCE_DIR) + "/samples/carga.vet";
const std::string IMPRESSAO = "--toner 1 --ganho 0.05 --borrao 0.7 --ruido 3 --rot 0.5";

TEST(Paginas, AssinaEVerificaPngETiffComoBmpETga) {
  DIRTEMP d;
  ASSERT_EQ(executa(programa("geradoc"), {d / "doc.bmp", "200", "3"}).status, 0);
  const IMGBIN doc = lido<IMGBIN>(d / "doc.bmp");
  imp(doc, (d / "doc.png").c_str(), 200);
  imp(doc, (d / "doc.tif").c_str(), 200);
  ASSERT_EQ(morvia({"s2s", d / "doc.bmp", CARGA, d / "a.bmp"}).status, 0);
  for (const char* f : {"doc.png", "doc.tif"}) {
    SCOPED_TRACE(f);
    SAIDA s = morvia({"s2s", d / f, CARGA, d / "b.bmp"});
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_TRUE(iguais(lido<IMGBIN>(d / "b.bmp"), lido<IMGBIN>(d / "a.bmp")));
  }
  ASSERT_EQ(executa(programa("printscan"), {d / "a.bmp", d / "scan.tga", "--toner", "1", "--borrao",
                                            "0.7", "--ruido", "3", "--rot", "0.5"})
                .status,
            0);
  const IMGGRY scan = lido<IMGGRY>(d / "scan.tga");
  imp(scan, (d / "scan.png").c_str(), 200);
  imp(scan, (d / "scan.tif").c_str(), 200);
  SAIDA tga = morvia({"v2s", d / "scan.tga", d / "tga.vet"});
  ASSERT_EQ(tga.status, 0) << tga.err;
  for (const char* f : {"scan.png", "scan.tif"}) {
    SCOPED_TRACE(f);
    SAIDA s = morvia({"v2s", d / f, d / "x.vet"});
    EXPECT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.out, tga.out);
    EXPECT_EQ(learquivo(d / "x.vet"), learquivo(d / "tga.vet"));
  }
}

// The payload of a .vet file as a string of bits.
std::string bits(const std::string& vet) {
  VETORBIT v;
  le(v, vet.c_str());
  std::string b;
  for (int i = 0; i < v.n(); i++) b += v(i) ? '1' : '0';
  return b;
}

// Marked page -> our PDF -> a RIP's 600 dpi rendering -> print and scan at 300 dpi -> the file
// a scanner writes (PNG with its density, or a scanned PDF) -> resampled to 200 dpi -> verified.
TEST(Paginas, PdfImpressoEDigitalizadoA300Dpi) {
  EXIGE("gs", "ghostscript");
  EXIGE("pdftoppm", "poppler-utils");
  DIRTEMP d;
  ASSERT_EQ(executa(programa("geradoc"), {d / "doc.bmp", "200", "4"}).status, 0);
  ASSERT_EQ(morvia({"s2s", d / "doc.bmp", CARGA, d / "marcada.bmp"}).status, 0);
  imppdf(lido<IMGBIN>(d / "marcada.bmp"), (d / "marcada.pdf").c_str(), 200);
  roda(
      "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pbmraw -r600 -sOutputFile=gs.pbm marcada.pdf && "
      "pdftoppm -r 600 -gray marcada.pdf pp && mv pp-1.pgm pp.pgm",
      d);
  imp(lido<IMGBIN>(d / "pp.pgm"), (d / "pp.pbm").c_str());  // thresholded as a RIP would
  const std::string esperado = bits(CARGA);
  ASSERT_EQ(esperado.size(), 64u);
  for (const char* rip : {"gs.pbm", "pp.pbm"}) {
    SCOPED_TRACE(rip);
    SAIDA p = executa(programa("printscan"),
                      {d / rip, d / "scan600.tga", "--dpi-doc", "600", "--dpi-impressora", "600",
                       "--dpi-scan", "300", "--toner", "3", "--ganho", "0.05", "--borrao", "0.7",
                       "--ruido", "3", "--rot", "0.5"});
    ASSERT_EQ(p.status, 0) << p.err;
    const IMGGRY scan = lido<IMGGRY>(d / "scan600.tga");
    ASSERT_EQ(scan.nl(), 3300);
    imp(scan, (d / "scan.png").c_str(), 300);
    imppdf(scan, (d / "scan.pdf").c_str(), 300);
    // The scanner's PNG, resampled by the density it records.
    const DENSIDADE k = densidade((d / "scan.png").c_str());
    ASSERT_EQ(k.x, 300);
    imp(reamostra(lido<IMGGRY>(d / "scan.png"), 200 / k.x), (d / "png200.tga").c_str());
    // The scanner's PDF, its page taken as stored.
    IMGGRY pagina;
    const double dpi = lepdfdigitalizado(pagina, (d / "scan.pdf").c_str(), 0);
    ASSERT_EQ(dpi, 300);
    imp(reamostra(pagina, 200 / dpi), (d / "pdf200.tga").c_str());
    for (const char* f : {"png200.tga", "pdf200.tga"}) {
      SAIDA v = morvia({"v2s", d / f, d / "lido.vet"});
      ASSERT_EQ(v.status, 0) << f << "\n" << v.err;
      EXPECT_EQ(bits(d / "lido.vet"), esperado) << f;
    }
  }
}

}  // namespace
