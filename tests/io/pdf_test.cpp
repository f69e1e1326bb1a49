// PDF pages: our print-ready pages render back to the same pixels through poppler at their dpi
// and at three times it; grey pages come back as scanned pages at their own resolution;
// refusals of what cannot be read.
#include "io/pdf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apoio.h"
#include "core/relato.h"
#include "imagens_teste.h"
#include "io/densidade.h"
#include "memoria.h"

namespace {

// A page of odd size with what a marked page holds: black areas with white holes, 2 x 2 black
// dots on white, single pixels, a frame.
IMGBIN pagina(int nl, int nc, int semente) {
  IMGBIN b(nl, nc, true);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      const bool bloco = l > nl / 4 && l < nl / 2 && c > nc / 5 && c < nc / 2;
      const bool furo = bloco && (l * 7 + c * 3 + semente) % 29 == 0;
      const bool ponto = ((l / 2) * 13 + (c / 2) * 5 + semente) % 97 == 0;
      const bool moldura = l == 0 || c == 0 || l == nl - 1 || c == nc - 1;
      b.poe(l, c, !(moldura || ponto || (bloco && !furo)));
    }
  return b;
}

// Each pixel of b as a k x k block.
IMGBIN ampliada(const IMGBIN& b, int k) {
  IMGBIN r(b.nl() * k, b.nc() * k, true);
  for (int l = 0; l < r.nl(); l++)
    for (int c = 0; c < r.nc(); c++) r.poe(l, c, b.pega(l / k, c / k));
  return r;
}

TEST(PdfEscrita, PaginasVoltamPixelAPixel) {
  DIRTEMP d;
  const std::string nome = d / "p.pdf";
  const std::vector<IMGBIN> pags = {pagina(223, 171, 0), pagina(101, 333, 5), pagina(64, 64, 9)};
  imppdf(pags, nome.c_str(), 200);
  ASSERT_EQ(npaginaspdf(nome.c_str()), 3);
  for (int k = 0; k < 3; k++) {
    SCOPED_TRACE(k);
    const TAMANHOPDF t = tamanhopdf(nome.c_str(), k);
    EXPECT_NEAR(t.largura, pags[k].nc() * 72.0 / 200, 1e-3);
    EXPECT_NEAR(t.altura, pags[k].nl() * 72.0 / 200, 1e-3);
    IMGBIN b;
    lepdf(b, nome.c_str(), k, 200);
    EXPECT_TRUE(iguais(b, pags[k]));
    lepdf(b, nome.c_str(), k, 600);
    EXPECT_TRUE(iguais(b, ampliada(pags[k], 3)));
    IMGGRY g;  // anti-aliasing leaves a mask's edges alone at these scales
    lepdf(g, nome.c_str(), k, 600);
    EXPECT_EQ(pixels(g), pixels(IMGGRY(ampliada(pags[k], 3))));
    // A page drawn from a mask is not a scan.
    EXPECT_EQ(lepdfdigitalizado(g, nome.c_str(), k), 0);
    EXPECT_EQ(g.nl(), pags[k].nl() * 3);
  }
  EXPECT_FALSE(densidade(nome.c_str()).conhecida());
}

TEST(PdfEscrita, PaginaCinzaEhDigitalizada) {
  DIRTEMP d;
  const std::string nome = d / "g.pdf";
  const IMGGRY g = cinza(330, 255);
  imppdf(g, nome.c_str(), 300);
  IMGGRY lida;
  EXPECT_EQ(lepdfdigitalizado(lida, nome.c_str(), 0), 300);
  EXPECT_EQ(pixels(lida), pixels(g));
  EXPECT_EQ(densidade(nome.c_str()).x, 300);
  EXPECT_EQ(ehpdf(nome.c_str()), true);
}

TEST(PdfEscrita, Recusas) {
  DIRTEMP d;
  EXPECT_EXIT(imppdf(std::vector<IMGBIN>{}, (d / "v.pdf").c_str(), 200),
              ::testing::ExitedWithCode(1), relato("Erro ImpPdf - Nenhuma pagina", d / "v.pdf"));
  EXPECT_EXIT(imppdf(IMGBIN(0, 7), (d / "v.pdf").c_str(), 200), ::testing::ExitedWithCode(1),
              relato("Erro ImpPdf - Imagem vazia", d / "v.pdf"));
  EXPECT_EXIT(imppdf(IMGBIN(3, 7), (d / "v.pdf").c_str(), 0), ::testing::ExitedWithCode(1),
              relato("Erro ImpPdf - Resolucao invalida", d / "v.pdf"));
  EXPECT_FALSE(existe(d / "v.pdf"));
}

TEST(PdfLeitura, RelatosClaros) {
  DIRTEMP d;
  imppdf(pagina(40, 30, 1), (d / "bom.pdf").c_str(), 200);
  const std::string bom = learquivo(d / "bom.pdf");
  escrevearquivo(d / "lixo.pdf", "%PDF-1.4\n1 0 obj << >>\nlixo\n");
  escrevearquivo(d / "cortado.pdf", bom.substr(0, bom.size() / 3));
  // A hundred bytes declaring millions of objects (poppler would reserve their table).
  escrevearquivo(d / "objetos.pdf",
                 "%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\nxref\n0 1\n0000000000 65535 f \n"
                 "trailer << /Root 1 0 R /Size 6630031 >>\nstartxref\n0\n%%EOF\n");
  // 2 x 2 pixels at 0.01 dpi: a page of 200 x 200 inches.
  imppdf(IMGBIN(2, 2, true), (d / "enorme.pdf").c_str(), 0.01);
  const std::string invalido = "Erro LePdf - PDF invalido ou danificado";
  struct {
    const char* nome;
    int pagina;
    double dpi;
    std::string msg;
  } casos[] = {
      {"lixo.pdf", 0, 200, invalido},
      {"cortado.pdf", 0, 200, invalido},
      {"objetos.pdf", 0, 200, invalido},
      {"bom.pdf", 1, 200, "Erro LePdf - Pagina inexistente"},
      {"bom.pdf", -1, 200, "Erro LePdf - Pagina inexistente"},
      {"bom.pdf", 0, 1e6, "Erro LePdf - Pagina grande demais para a resolucao pedida"},
      {"enorme.pdf", 0, 200, "Erro LePdf - Pagina grande demais para a resolucao pedida"},
      {"falta.pdf", 0, 200, "Erro LePdf - Abertura de "},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    const std::string nome = d / c.nome;
    EXPECT_EXIT((limitamemoria(256), lepdf(*new IMGGRY, nome.c_str(), c.pagina, c.dpi)),
                ::testing::ExitedWithCode(1), relato(c.msg, nome));
  }
  IMGGRY g;
  lepdf(g, (d / "enorme.pdf").c_str(), 0, 10);  // the same page at 10 dpi is fine
  EXPECT_EQ(g.nl(), 2000);
  EXPECT_FALSE(ehpdf((d / "falta.pdf").c_str()));
  escrevearquivo(d / "texto.txt", "3 4");
  EXPECT_FALSE(ehpdf((d / "texto.txt").c_str()));
}

}  // namespace
