// morvia-doc as users run it: documents signed, printed and scanned into the files scanners
// write, read back "verified"; bad input refused before any work; never a payload from a page
// that does not carry it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "apoio.h"
#include "imagens_teste.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/tiff.h"
#include "pares.h"

namespace {

const std::string CARGA = std::string(MORVIA_SOURCE_DIR) + "/samples/carga.vet";
const std::string TEXTO = "ACME copy 17 - Lisbon";  // 21 bytes
// Print and scan of a document at the printer's 600 dpi, and of one at 200 or 400 dpi.
const std::vector<std::string> IMPRESSAO600 = {"--toner", "3",       "--ganho", "0.05",  "--borrao",
                                               "0.7",     "--ruido", "3",       "--rot", "0.5"};
const std::vector<std::string> IMPRESSAO = {"--toner", "1", "--borrao", "0.7",
                                            "--ruido", "3", "--rot",    "0.5"};

SAIDA doc(const std::vector<std::string>& args) { return executa(programa("morvia-doc"), args); }

std::vector<nlohmann::json> linhasjson(const std::string& out) {
  std::vector<nlohmann::json> v;
  std::istringstream s(out);
  std::string l;
  while (std::getline(s, l)) v.push_back(nlohmann::json::parse(l));
  return v;
}

// A generated letter page at dpi, as a 1-bit image.
IMGBIN pagina(const DIRTEMP& d, int dpi, int semente) {
  const std::string nome = d / ("g" + std::to_string(semente) + ".bmp");
  EXPECT_EQ(
      executa(programa("geradoc"), {nome, std::to_string(dpi), std::to_string(semente)}).status, 0);
  return lido<IMGBIN>(nome);
}

// printscan from a document of dpidoc to a scan of dpiscan, with extra options.
IMGGRY imprimeedigitaliza(const DIRTEMP& d, const std::string& doc, int dpidoc, int dpiscan,
                          std::vector<std::string> extra = IMPRESSAO) {
  std::vector<std::string> a = {doc,          d / "ps.tga",
                                "--dpi-doc",  std::to_string(dpidoc),
                                "--dpi-scan", std::to_string(dpiscan)};
  a.insert(a.end(), extra.begin(), extra.end());
  SAIDA p = executa(programa("printscan"), a);
  EXPECT_EQ(p.status, 0) << p.err;
  return lido<IMGGRY>(d / "ps.tga");
}

void esperaverificado(const std::vector<nlohmann::json>& js, const std::string& carga,
                      const std::string& tipo) {
  for (const nlohmann::json& j : js) {
    SCOPED_TRACE(j.dump());
    EXPECT_EQ(j["verdict"], "verified");
    EXPECT_EQ(j["payload"], carga);
    EXPECT_EQ(j["kind"], tipo);
    EXPECT_EQ(j["conditioning"], "none");
  }
}

// A 3-page PDF signed with a text, rasterised as printers' RIPs do (ghostscript and poppler at
// 600 dpi), printed and scanned, and saved as a 300 dpi PNG, a 600 dpi TIFF, a JPEG of quality
// 75 with no density, and a scanned PDF of all three pages: every page reads back verified.
TEST(MorviaDoc, PdfAssinadoImpressoEDigitalizadoEmCadaFormato) {
  EXIGE("gs", "ghostscript");
  EXIGE("pdftoppm", "poppler-utils");
  EXIGE("cjpeg", "libjpeg-turbo-progs");
  DIRTEMP d;
  imppdf(std::vector<IMGBIN>{pagina(d, 200, 1), pagina(d, 200, 2), pagina(d, 200, 3)},
         (d / "doc.pdf").c_str(), 200);
  SAIDA s = doc({"sign", d / "doc.pdf", d / "marcado.pdf", "--text", TEXTO});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_NE(s.out.find("page 3: "), std::string::npos) << s.out;
  ASSERT_EQ(npaginaspdf((d / "marcado.pdf").c_str()), 3);
  roda(
      "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pbmraw -r600 -sOutputFile=gs%d.pbm marcado.pdf"
      " && pdftoppm -r 600 -mono marcado.pdf pp",
      d);
  std::vector<IMGGRY> scans;
  const std::string rips[] = {"gs1.pbm", "pp-2.pbm", "gs3.pbm"};
  for (int k = 0; k < 3; k++)
    scans.push_back(imprimeedigitaliza(d, d / rips[k], 600, 300, IMPRESSAO600));
  imp(scans[0], (d / "p1.png").c_str(), 300);
  imptif(imprimeedigitaliza(d, d / "pp-2.pbm", 600, 600, IMPRESSAO600), (d / "p2.tif").c_str(),
         600);
  imp(scans[2], (d / "p3.pgm").c_str());
  roda("cjpeg -quality 75 -grayscale p3.pgm > p3.jpg", d);
  imppdf(scans, (d / "digitalizado.pdf").c_str(), 300);
  SAIDA v =
      doc({"verify", d / "p1.png", d / "p2.tif", d / "p3.jpg", d / "digitalizado.pdf", "--json"});
  EXPECT_EQ(v.status, 0) << v.out << v.err;
  const std::vector<nlohmann::json> js = linhasjson(v.out);
  ASSERT_EQ(js.size(), 6u);
  esperaverificado(js, TEXTO, "text");
  EXPECT_EQ(js[0]["scan_dpi"], 300);
  EXPECT_EQ(js[1]["scan_dpi"], 600);
  EXPECT_EQ(js[2]["scan_dpi"], 300);  // from the sheet's size: the JPEG records none
  EXPECT_EQ(js[5]["page"], 3);
}

// Profile 4: a 400 dpi page with a number, scanned at 600 dpi.
TEST(MorviaDoc, Perfil4A400DpiComNumero) {
  DIRTEMP d;
  imp(pagina(d, 400, 5), (d / "doc.png").c_str(), 400);
  SAIDA s = doc({"sign", d / "doc.png", d / "marcado.tif", "--dpi", "400", "--number",
                 "18446744073709551615", "--seed", "99"});
  ASSERT_EQ(s.status, 0) << s.err;
  IMGBIN m;
  letif(m, (d / "marcado.tif").c_str());
  imp(m, (d / "m.pbm").c_str());
  imptif(imprimeedigitaliza(d, d / "m.pbm", 400, 600), (d / "scan.tif").c_str(), 600);
  SAIDA v = doc({"verify", d / "scan.tif", "--dpi", "400", "--seed", "99", "--json"});
  EXPECT_EQ(v.status, 0) << v.out << v.err;
  esperaverificado(linhasjson(v.out), "18446744073709551615", "number");
}

// Pages that do not carry this mark: a plain page, a page marked with another seed, a blank page,
// a photograph-like page of noise. Never a payload; status 2.
TEST(MorviaDoc, PaginasSemAMarcaNuncaDaoCarga) {
  DIRTEMP d;
  imp(pagina(d, 200, 6), (d / "plana.bmp").c_str());
  ASSERT_EQ(
      doc({"sign", d / "plana.bmp", d / "outra.bmp", "--hex", "c0ffee", "--seed", "8"}).status, 0);
  imp(imprimeedigitaliza(d, d / "plana.bmp", 200, 300), (d / "plana.png").c_str(), 300);
  imp(imprimeedigitaliza(d, d / "outra.bmp", 200, 300), (d / "outra.png").c_str(), 300);
  imp(IMGGRY(2200, 1700, 255), (d / "branca.png").c_str(), 200);
  IMGGRY foto(2200, 1700);
  unsigned x = 12345;
  for (int i = 0; i < foto.n(); i++)
    foto.data[i] = static_cast<BYTE>((x = x * 1103515245 + 12345) >> 24);
  imp(foto, (d / "foto.png").c_str(), 200);
  SAIDA v =
      doc({"verify", d / "plana.png", d / "outra.png", d / "branca.png", d / "foto.png", "--json"});
  EXPECT_EQ(v.status, 2) << v.err;
  const std::vector<nlohmann::json> js = linhasjson(v.out);
  ASSERT_EQ(js.size(), 4u);
  for (const nlohmann::json& j : js) {
    SCOPED_TRACE(j.dump());
    EXPECT_NE(j["verdict"], "verified");
    EXPECT_FALSE(j.contains("payload"));
    EXPECT_FALSE(j["reason"].get<std::string>().empty());
  }
}

// One page of a document that cannot be marked: nothing is written, and the page is named.
TEST(MorviaDoc, PaginaQueNaoSeMarcaNadaEscrito) {
  DIRTEMP d;
  imptif(pagina(d, 200, 7), (d / "doc.tif").c_str(), 200);
  imptif(IMGBIN(300, 300, true), (d / "doc.tif").c_str(), 200, true);
  const std::set<std::string> antes = conteudo(d.dir());
  SAIDA s = doc({"sign", d / "doc.tif", d / "marcado.pdf", "--text", "x"});
  EXPECT_EQ(s.status, 1);
  EXPECT_NE(s.out.find("page 2: refused: "), std::string::npos) << s.out;
  EXPECT_NE(s.err.find("nothing written"), std::string::npos) << s.err;
  EXPECT_EQ(conteudo(d.dir()), antes);  // no output, no temporary file left
  // Marking the good page alone writes both, the other copied as it was.
  s = doc({"sign", d / "doc.tif", d / "marcado.pdf", "--text", "x", "--pages", "1"});
  EXPECT_EQ(s.status, 0) << s.err;
  EXPECT_NE(s.out.find("page 2: not selected, copied unmarked"), std::string::npos) << s.out;
  ASSERT_EQ(npaginaspdf((d / "marcado.pdf").c_str()), 2);
  IMGBIN p2;
  lepdf(p2, (d / "marcado.pdf").c_str(), 1, 200);
  EXPECT_TRUE(iguais(p2, IMGBIN(300, 300, true)));
}

// Usage and file errors: one line, status 1, before any work, no output file.
TEST(MorviaDoc, ErrosDeUsoRecusadosAntesDoTrabalho) {
  DIRTEMP d;
  imp(pagina(d, 200, 8), (d / "doc.bmp").c_str());
  escrevearquivo(d / "ruim.pdf", "%PDF-1.4\nnot really a pdf\n");
  const std::string saida = d / "saida.pdf";
  struct CASO {
    std::vector<std::string> args;
    std::string mensagem;
  };
  const CASO casos[] = {
      {{"sign", d / "doc.bmp", d / "saida.xyz", "--text", "a"}, "OUTPUT must end in"},
      {{"sign", d / "ruim.pdf", saida, "--text", "a"}, "ruim.pdf"},
      {{"sign", d / "nada.png", saida, "--text", "a"}, "nada.png"},
      {{"sign", d / "doc.bmp", saida, "--text", ""}, "the text is empty"},
      {{"sign", d / "doc.bmp", saida, "--text", "123456789012345678901234"}, "at most 23 bytes"},
      {{"sign", d / "doc.bmp", saida, "--text", "a", "--dpi", "300"}, "--dpi must be 200 or 400"},
      {{"sign", d / "doc.bmp", saida, "--text", "a", "--pages", "2"}, "out of range"},
      {{"sign", d / "doc.bmp", saida, "--text", "a", "--number", "1"}, "exactly one of"},
      {{"sign", d / "doc.bmp", saida}, "exactly one of"},
      {{"sign", d / "doc.bmp", saida, "--number", "12abc"}, "decimal digits"},
      {{"sign", d / "doc.bmp", saida, "--text", "a", "--seed", "0"}, "--seed must be"},
      {{"sign", d / "doc.bmp", saida, "--text", "a", "--holes", "9,12,3"}, "--holes"},
      {{"sign", d / "doc.bmp", saida, "--text", "a", "--colour"}, "unknown option --colour"},
      {{"verify"}, "at least one SCAN"},
      {{"verify", d / "doc.bmp", "--scan-dpi", "3x"}, "--scan-dpi"},
      {{"frobnicate"}, "unknown command"},
      {{}, "no command"},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    SAIDA s = doc(c.args);
    EXPECT_EQ(s.status, 1);
    EXPECT_NE(s.err.find(c.mensagem), std::string::npos) << s.err;
    EXPECT_FALSE(existe(saida));
  }
  SAIDA a = doc({"--help"});
  EXPECT_EQ(a.status, 0);
  EXPECT_NE(a.out.find("morvia-doc sign INPUT OUTPUT"), std::string::npos);
}

TEST(MorviaDoc, PdfCifradoRecusado) {
  EXIGE("qpdf", "qpdf");
  DIRTEMP d;
  imppdf(pagina(d, 200, 9), (d / "doc.pdf").c_str(), 200);
  roda("qpdf --encrypt user owner 256 -- doc.pdf cifrado.pdf", d);
  SAIDA s = doc({"sign", d / "cifrado.pdf", d / "saida.pdf", "--text", "a"});
  EXPECT_EQ(s.status, 1);
  EXPECT_NE(s.err.find("cifrado.pdf"), std::string::npos) << s.err;
  EXPECT_FALSE(existe(d / "saida.pdf"));
}

// The two programs work together: bits that `morvia v2s` wrote decode with `decode`, and
// `--bits` passes a plain payload through for `morvia v2s` to read.
TEST(MorviaDoc, TrabalhaJuntoComMorvia) {
  DIRTEMP d;
  imp(pagina(d, 200, 10), (d / "doc.bmp").c_str());
  ASSERT_EQ(doc({"sign", d / "doc.bmp", d / "m.bmp", "--text", TEXTO}).status, 0);
  imp(imprimeedigitaliza(d, d / "m.bmp", 200, 200), (d / "scan.tga").c_str());
  ASSERT_EQ(morvia({"v2s", d / "scan.tga", d / "lido.vet"}).status, 0);
  SAIDA s = doc({"decode", d / "lido.vet", "--json"});
  EXPECT_EQ(s.status, 0) << s.out << s.err;
  esperaverificado(linhasjson(s.out), TEXTO, "text");

  ASSERT_EQ(doc({"sign", d / "doc.bmp", d / "b.bmp", "--bits", CARGA}).status, 0);
  ASSERT_EQ(morvia({"s2s", d / "doc.bmp", CARGA, d / "a.bmp"}).status, 0);
  EXPECT_TRUE(iguais(lido<IMGBIN>(d / "b.bmp"), lido<IMGBIN>(d / "a.bmp")));
  SAIDA u = doc({"decode", CARGA});
  EXPECT_EQ(u.status, 2);
  EXPECT_NE(u.out.find("unverified"), std::string::npos) << u.out;
}

// A run over several files reports every page: one unreadable file does not lose the others.
TEST(MorviaDoc, UmArquivoRuimNaoPerdeOsOutros) {
  DIRTEMP d;
  imp(pagina(d, 200, 11), (d / "doc.bmp").c_str());
  ASSERT_EQ(doc({"sign", d / "doc.bmp", d / "m.bmp", "--number", "42"}).status, 0);
  imp(imprimeedigitaliza(d, d / "m.bmp", 200, 300), (d / "scan.png").c_str(), 300);
  escrevearquivo(d / "ruim.png", "\x89PNG\r\n\x1a\n garbage");
  SAIDA v = doc({"verify", d / "scan.png", d / "ruim.png", d / "scan.png"});
  EXPECT_EQ(v.status, 1);
  const std::string verificada = d / "scan.png" + ", page 1: verified (0 corrected), number: 42\n";
  EXPECT_EQ(v.out, verificada + d / "ruim.png" + ", page 1: no mark: the page could not be read: " +
                       "Erro LePng - PNG invalido (Read Error) " + d / "ruim.png\n" + verificada);
}

}  // namespace

namespace {

// Every man page formats without a warning.
TEST(MorviaDoc, PaginasDeManualSemAvisos) {
  EXIGE("groff", "groff");
  for (const char* p : {"morvia", "morvia-doc", "imgconv", "printscan", "tavolin-exemplo"}) {
    SCOPED_TRACE(p);
    SAIDA s = executa("/bin/sh", {"-c", "groff -ww -z -man " + std::string(MORVIA_SOURCE_DIR) +
                                            "/man/" + p + ".1 2>&1"});
    EXPECT_EQ(s.status, 0);
    EXPECT_EQ(s.out, "");
  }
}

}  // namespace

namespace {

// The README's one-machine form over a folder: xargs -P, one call per file, JSON Lines merged.
TEST(MorviaDoc, MuitosArquivosEmParalelo) {
  DIRTEMP d;
  mkdir((d / "scans").c_str(), 0755);
  for (int k = 1; k <= 3; k++) {
    imp(pagina(d, 200, 20 + k), (d / "p.bmp").c_str());
    ASSERT_EQ(doc({"sign", d / "p.bmp", d / "m.bmp", "--number", std::to_string(k)}).status, 0);
    imp(imprimeedigitaliza(d, d / "m.bmp", 200, 300),
        (d / ("scans/s" + std::to_string(k) + ".png")).c_str(), 300);
  }
  roda("find scans/ -name '*.png' -print0 | xargs -0 -n 1 -P 2 env MORVIA_THREADS=1 " +
           programa("morvia-doc") + " verify --json > results.jsonl",
       d);
  const std::vector<nlohmann::json> js = linhasjson(learquivo(d / "results.jsonl"));
  ASSERT_EQ(js.size(), 3u);
  std::set<std::string> cargas;
  for (const nlohmann::json& j : js) {
    EXPECT_EQ(j["verdict"], "verified");
    cargas.insert(j["file"].get<std::string>().substr(6) + "=" + j["payload"].get<std::string>());
  }
  EXPECT_EQ(cargas, (std::set<std::string>{"s1.png=1", "s2.png=2", "s3.png=3"}));
}

}  // namespace

namespace {

// The API overview's example program reads, smooths and writes, keeping the density.
TEST(ApiExemplo, LeSuavizaEscreve) {
  DIRTEMP d;
  IMGGRY g(40, 30, 255);
  for (int c = 0; c < 30; c++) g.lin[20][c] = 0;  // one black row
  imp(g, (d / "scan.png").c_str(), 300);
  SAIDA s = executa(EXEMPLO_API, {d / "scan.png", d / "suave.png", "1.5"});
  ASSERT_EQ(s.status, 0) << s.err;
  EXPECT_EQ(s.out, "40 x 30 pixels, 300 dpi, smoothed with sigma 1.5\n");
  const IMGGRY r = lido<IMGGRY>(d / "suave.png");
  EXPECT_GT(r.lin[20][15], 0);    // the line spread...
  EXPECT_LT(r.lin[19][15], 255);  // ...onto its neighbours
  EXPECT_EQ(r.lin[0][15], 255);   // far from it, still white
}

}  // namespace

namespace {

// Scans the detector refuses as they are, each read by the conditioning that treats its fault:
// with the ladder off the page is not verified; with it, verified, naming the rung.
struct CASOCONDICIONADO {
  const char* nome;
  std::vector<std::string> distorcao;  // printscan options beyond the typical print
  const char* degrau;
  const char* arquivo = "scan.png";  // the scan's file (a JPEG quality after "jpg")
  int dpigravado = 200;              // the density the file records
};

class Condicionamento : public ::testing::TestWithParam<CASOCONDICIONADO> {};

TEST_P(Condicionamento, LidoSoComODegrauQueTrataODefeito) {
  const CASOCONDICIONADO& c = GetParam();
  DIRTEMP d;
  imp(pagina(d, 200, 30), (d / "p.bmp").c_str());
  ASSERT_EQ(doc({"sign", d / "p.bmp", d / "m.bmp", "--text", TEXTO}).status, 0);
  std::vector<std::string> opcoes = IMPRESSAO;
  opcoes.insert(opcoes.end(), c.distorcao.begin(), c.distorcao.end());
  imp(imprimeedigitaliza(d, d / "m.bmp", 200, 200, opcoes), (d / c.arquivo).c_str(), c.dpigravado);
  const std::string scan =
      d / std::string(c.arquivo).substr(0, std::string(c.arquivo).find('.') + 4);
  SAIDA s = doc({"verify", scan, "--no-conditioning", "--json"});
  EXPECT_NE(nlohmann::json::parse(s.out)["verdict"], "verified") << s.out;
  SAIDA v = doc({"verify", scan, "--json"});
  EXPECT_EQ(v.status, 0) << v.out << v.err;
  const nlohmann::json j = nlohmann::json::parse(v.out);
  EXPECT_EQ(j["payload"], TEXTO);
  EXPECT_EQ(j["conditioning"], c.degrau);
}

INSTANTIATE_TEST_SUITE_P(
    Defeitos, Condicionamento,
    ::testing::Values(
        CASOCONDICIONADO{"PapelCinza", {"--branco", "185"}, "tone"},
        CASOCONDICIONADO{"Ruido14", {"--ruido", "14"}, "median"},
        CASOCONDICIONADO{"Borrao18", {"--borrao", "1.8"}, "sharpen"},
        CASOCONDICIONADO{"Ruido10Rodado", {"--ruido", "10", "--rot", "1"}, "median"},
        CASOCONDICIONADO{"LuzCaiA60", {"--luz-linear", "0.6"}, "background"},
        CASOCONDICIONADO{"Vinheta50", {"--luz-radial", "0.5"}, "background"},
        CASOCONDICIONADO{
            "Trapezio10NaMesa", {"--mesa", "120", "--trapezio", "0.1"}, "page, background"},
        CASOCONDICIONADO{
            "Celular", {"--captura", "celular"}, "page, background", "scan.jpg85", 72}),
    [](const ::testing::TestParamInfo<CASOCONDICIONADO>& i) { return i.param.nome; });

// Photographs that hold no readable page end as "no mark" with the reason, never a crash or a
// wrong payload: all desk, a page cut by the frame, two pages side by side.
TEST(MorviaDoc, FotosSemPaginaLegivel) {
  DIRTEMP d;
  imp(pagina(d, 200, 31), (d / "p.bmp").c_str());
  ASSERT_EQ(doc({"sign", d / "p.bmp", d / "m.bmp", "--text", TEXTO}).status, 0);
  std::vector<std::string> celular = IMPRESSAO;
  celular.insert(celular.end(), {"--captura", "celular"});
  const IMGGRY foto = imprimeedigitaliza(d, d / "m.bmp", 200, 200, celular);
  imp(IMGGRY(3024, 4032, 70), (d / "mesa.jpg").c_str(), 72);
  IMGGRY cortada(foto.nl() * 6 / 10, foto.nc());
  for (int l = 0; l < cortada.nl(); l++)
    for (int c = 0; c < cortada.nc(); c++) cortada.lin[l][c] = foto.lin[l + foto.nl() * 4 / 10][c];
  imp(cortada, (d / "cortada.jpg").c_str(), 72);
  IMGGRY duas(foto.nl(), 2 * foto.nc());
  for (int l = 0; l < foto.nl(); l++)
    for (int c = 0; c < duas.nc(); c++) duas.lin[l][c] = foto.lin[l][c % foto.nc()];
  imp(duas, (d / "duas.jpg").c_str(), 72);
  SAIDA v = doc({"verify", d / "mesa.jpg", d / "cortada.jpg", d / "duas.jpg", "--json"});
  const std::vector<nlohmann::json> js = linhasjson(v.out);
  ASSERT_EQ(js.size(), 3u) << v.out << v.err;
  EXPECT_EQ(js[0]["verdict"], "no mark");
  EXPECT_EQ(js[0]["reason"], "no page found");
  EXPECT_EQ(js[1]["verdict"], "no mark");
  EXPECT_EQ(js[1]["reason"], "page cut by the image edge");
  if (js[2]["verdict"] == "verified")
    EXPECT_EQ(js[2]["payload"], TEXTO);
  else
    EXPECT_EQ(js[2]["verdict"], "no mark");
}

// The same grey paper scanned at 300 dpi: the ladder runs after the page is brought to the
// document's density.
TEST(MorviaDoc, PapelCinzaLidoComTonsNormalizados) {
  DIRTEMP d;
  imp(pagina(d, 200, 30), (d / "p.bmp").c_str());
  ASSERT_EQ(doc({"sign", d / "p.bmp", d / "m.bmp", "--text", TEXTO}).status, 0);
  std::vector<std::string> cinza = IMPRESSAO;
  cinza.insert(cinza.end(), {"--branco", "185"});
  imp(imprimeedigitaliza(d, d / "m.bmp", 200, 300, cinza), (d / "scan.png").c_str(), 300);
  SAIDA v = doc({"verify", d / "scan.png", "--json"});
  EXPECT_EQ(v.status, 0) << v.out << v.err;
  const nlohmann::json j = nlohmann::json::parse(v.out);
  EXPECT_EQ(j["payload"], TEXTO);
  EXPECT_EQ(j["conditioning"], "tone");
  SAIDA s = doc({"verify", d / "scan.png", "--no-conditioning", "--json"});
  EXPECT_EQ(s.status, 2);
  EXPECT_FALSE(nlohmann::json::parse(s.out).contains("payload"));
}

}  // namespace
