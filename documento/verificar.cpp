// morvia-doc verify: every page of every scan read, brought to the document's density, and its
// frame corrected and checked.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "comandos.h"
#include "core/aborta.h"
#include "core/paralelo.h"
#include "isolamento.h"
#include "opcoes.h"
#include "paginas.h"
#include "perfil.h"
#include "proc/condicionamento.h"
#include "proc/diagnostico.h"
#include "proc/fundo.h"
#include "quadratura.h"
#include "quadro.h"
#include "resultado.h"
#include "verifica.h"

namespace {

struct PEDIDO {
  std::vector<std::string> scans;
  int dpi = 200, semente = 7;
  SELO selo;
  double dpiscan = 0;  // given by --scan-dpi; 0 when not
  std::string folha;   // given by --paper; empty when not
  bool json = false;
  bool condiciona = true;
};

const char LIDA[] = "morvia-doc: page read\n";

// The conditioning ladder: a page not verified as scanned is read again conditioned, and the
// first verified read is kept. Only a verified frame is ever reported, so a rung cannot turn a
// wrong payload into a reported one. Past the read as scanned, the page is diagnosed and the
// rungs whose symptom it shows are tried first, then the others, each in table order. The
// diagnosis is left out of the first read, which most pages pass. A rung that squares works on
// the capture as it came, before it is brought to the document's density.
struct DEGRAU {
  const char* nome;
  bool quadra;
  IMGGRY (*condiciona)(const IMGGRY&, int dpidoc, const DIAGNOSTICO&);
  bool (*sintoma)(const DIAGNOSTICO&);
};

// The sharpening that undoes an edge spread of sigma pixels on top of a sharp scan's (about
// 1.2), measured over scanner blurs from 1.4 to 1.8 pixels on text pages.
double quantidadederealce(double sigma) { return std::clamp(1.25 + 3 * (sigma - 1.65), 0.5, 4.0); }

// The paper's level measured over 5 mm blocks, mapped to 250.
IMGGRY fundo(const IMGGRY& g, int dpi, const DIAGNOSTICO&) {
  return normalizafundo(g, std::lround(dpi / 5.08), 250);
}

// A desk or a lid: the image's frame well darker than its paper.
bool moldurada(const DIAGNOSTICO& d) { return d.moldura < 0.7 * d.papel; }

const DEGRAU ESCADA[] = {
    {"none", false, nullptr, nullptr},
    {"page, background", true, fundo, moldurada},
    {"background", false, fundo, [](const DIAGNOSTICO& d) { return d.desnivel >= 0.08; }},
    {"tone", false, [](const IMGGRY& g, int, const DIAGNOSTICO&) { return normalizatons(g); },
     [](const DIAGNOSTICO& d) { return d.papel < 230; }},
    {"median", false, [](const IMGGRY& g, int, const DIAGNOSTICO&) { return mediana3(g); },
     [](const DIAGNOSTICO& d) { return d.ruido >= 4; }},
    {"sharpen", false,
     [](const IMGGRY& g, int, const DIAGNOSTICO& d) {
       return realca(g, quantidadederealce(d.borrao), 0.6, 2);
     },
     [](const DIAGNOSTICO& d) { return d.borrao >= 1.4; }},
};
const int NDEGRAUS = static_cast<int>(std::size(ESCADA));

// Why a squaring rung found no page, reported in place of the read as scanned: the child says
// it only where the page had to be found.
const char* const SEMPAGINA[] = {"no page found", "page cut by the image edge"};

// The rungs after the first, those with a symptom in d first.
std::vector<int> ordemdaescada(const DIAGNOSTICO& d) {
  std::vector<int> ordem;
  for (int passo = 0; passo < 2; passo++)
    for (int k = 1; k < NDEGRAUS; k++)
      if (ESCADA[k].sintoma(d) == (passo == 0)) ordem.push_back(k);
  return ordem;
}

struct PAGINA {
  int arquivo, pagina;  // pagina from 0
};

PEDIDO lepedido(int argc, char** argv) {
  const ARGUMENTOS a =
      separa(argc, argv, {"--dpi", "--seed", "--scan-dpi", "--key", "--public-key", "--paper"},
             {"--json", "--no-conditioning"});
  if (a.posicionais.empty()) throw ERROUSO{"verify takes at least one SCAN"};
  PEDIDO p;
  p.scans = a.posicionais;
  p.dpi = dpidoperfil(a);
  const AUTORIA autoria = autoriade(a, true);
  p.semente = autoria.semente;
  p.selo = autoria.selo;
  if (a.tem("--scan-dpi")) p.dpiscan = inteiro("--scan-dpi", a.opcoes.at("--scan-dpi"), 50, 4800);
  if (a.tem("--paper")) {
    p.folha = a.opcoes.at("--paper");
    const auto conhecida = [&](const FOLHA& f) { return p.folha == f.nome; };
    if (std::none_of(std::begin(FOLHAS), std::end(FOLHAS), conhecida))
      throw ERROUSO{"--paper is letter or a4"};
  }
  p.json = a.tem("--json");
  p.condiciona = !a.tem("--no-conditioning");
  return p;
}

// The density to read the page at: given, recorded where it fits the image, or guessed from a
// letter or A4 sheet.
double densidadeda(const PEDIDO& p, double registrada, const IMGGRY& g) {
  if (p.dpiscan > 0) return p.dpiscan;
  if (densidadeconcorda(registrada, g.nl(), g.nc())) return registrada;
  return dpipelotamanho(g.nl(), g.nc());
}

// The page of a capture squared to its sheet at the document's density, or the end of the read
// with the reason, said plainly when the page had to be found: a desk shows in the frame, or the
// capture's density is unknown or recorded by a camera (one that does not fit the image).
IMGGRY quadrada(const PEDIDO& p, const IMGGRY& bruta, bool achar, double& dpi) {
  QUADRATURA q = quadra(bruta, p.dpi, p.folha);
  if (q.pagina.n() == 0) aborta(achar ? q.motivo.c_str() : "morvia-doc: no page to square");
  dpi = q.dpi;
  return std::move(q.pagina);
}

// In the child: "dpi rung\n" then each frame byte read and its confidence, one pair per line.
// passo 0 reads the page as scanned; passo k the k-th rung of the page's order.
std::string lepagina(const PEDIDO& p, const PAGINA& pg, int passo) {
  const int n = quadrodoperfil(p.dpi);
  double registrada = 0;
  const IMGGRY bruta = paginascan(p.scans[pg.arquivo].c_str(), pg.pagina, p.dpi, registrada);
  std::fputs(LIDA, stderr);  // what fails after this line is the reading of the mark
  double dpi = densidadeda(p, registrada, bruta);
  IMGGRY pagina = nadensidade(bruta, dpi, p.dpi);
  int degrau = 0;
  if (passo > 0) {
    const DIAGNOSTICO d = diagnostica(pagina);
    degrau = ordemdaescada(d)[passo - 1];
    const bool camera = registrada > 0 && !densidadeconcorda(registrada, bruta.nl(), bruta.nc());
    if (ESCADA[degrau].quadra) pagina = quadrada(p, bruta, moldurada(d) || dpi <= 0 || camera, dpi);
    pagina = ESCADA[degrau].condiciona(pagina, p.dpi, d);
  }
  const std::vector<LEITURAGRUPO> g = verificagrupos(std::move(pagina), p.semente, 8 * n);
  std::ostringstream s;
  s << dpi << " " << degrau << "\n";
  for (int k = 0; k < n; k++) {
    int byte = 0;
    double conf = 1;
    for (int b = 0; b < 8; b++) {
      byte = byte << 1 | g[8 * k + b].bit;
      conf = std::min(conf, g[8 * k + b].coef);
    }
    s << byte << " " << conf << "\n";
  }
  return s.str();
}

RESULTADO resultadode(const PEDIDO& p, const PAGINA& pg, const TAREFAFEITA& d) {
  RESULTADO r;
  r.arquivo = p.scans[pg.arquivo];
  r.pagina = pg.pagina + 1;
  r.prova = nomedaprova(p.selo.prova);
  if (!d.ok && d.relato.find(LIDA) == std::string::npos) {
    r.veredito = "no mark";
    r.motivo = "the page could not be read: " + d.erro;
    r.erroarquivo = true;
    return r;
  }
  if (!d.ok) {
    semmarca(r, d.erro);
    return r;
  }
  std::istringstream s(d.dados);
  int degrau = 0;
  s >> r.dpiscan >> degrau;
  r.condicionamento = ESCADA[std::clamp(degrau, 0, NDEGRAUS - 1)].nome;
  std::vector<uint8_t> lido;
  std::vector<double> confianca;
  int byte;
  double conf;
  while (s >> byte >> conf) {
    lido.push_back(static_cast<uint8_t>(byte));
    confianca.push_back(conf);
  }
  julga(r, lido, confianca, p.selo);
  return r;
}

// The pages of every scan; a file that cannot be opened is reported and counts as an error.
std::vector<PAGINA> paginasdos(const PEDIDO& p, bool& errodearquivo) {
  std::vector<PAGINA> paginas;
  const int n = static_cast<int>(p.scans.size());
  isola(
      n, [&](int i) { return std::to_string(contapaginas(p.scans[i].c_str())); },
      [&](int i, const TAREFAFEITA& d) {
        if (!d.ok) {
          std::fprintf(stderr, "morvia-doc: %s: %s\n", p.scans[i].c_str(), d.erro.c_str());
          errodearquivo = true;
          return;
        }
        for (int k = 0; k < std::stoi(d.dados); k++) paginas.push_back({i, k});
      },
      fiosdamaquina());
  return paginas;
}

// Reads the pages of indices in pass passo, replacing a result when the read is verified (or,
// on the first pass, always).
void lenopasso(const PEDIDO& p, const std::vector<PAGINA>& paginas, const std::vector<int>& indices,
               int passo, std::vector<RESULTADO>& rs) {
  const int n = static_cast<int>(indices.size());
  const bool progresso = isatty(STDERR_FILENO) && n > 1;
  isola(
      n, [&](int i) { return lepagina(p, paginas[indices[i]], passo); },
      [&](int i, const TAREFAFEITA& d) {
        RESULTADO r = resultadode(p, paginas[indices[i]], d);
        const bool sempagina =
            std::find(std::begin(SEMPAGINA), std::end(SEMPAGINA), d.erro) != std::end(SEMPAGINA);
        if (passo == 0 || r.veredito == "verified" || (!d.ok && sempagina)) rs[indices[i]] = r;
        if (progresso)
          std::fprintf(stderr, "\r[%s: %d/%d pages]%s", passo ? "conditioned" : "as scanned", i + 1,
                       n, i + 1 == n ? "\n" : "");
      },
      fiosdamaquina());
}

}  // namespace

int verificar(int argc, char** argv) {
  const PEDIDO p = lepedido(argc, argv);
  quadrodoperfil(p.dpi);
  bool errodearquivo = false;
  const std::vector<PAGINA> paginas = paginasdos(p, errodearquivo);
  const int n = static_cast<int>(paginas.size());
  std::vector<RESULTADO> rs(n);
  std::vector<int> faltam(n);
  for (int i = 0; i < n; i++) faltam[i] = i;
  const int passos = p.condiciona ? NDEGRAUS : 1;
  for (int k = 0; k < passos && !faltam.empty(); k++) {
    lenopasso(p, paginas, faltam, k, rs);
    std::vector<int> ainda;
    for (int i : faltam)
      if (rs[i].veredito != "verified" && !rs[i].erroarquivo) ainda.push_back(i);
    faltam = ainda;
  }
  for (const RESULTADO& r : rs) {
    // A page that no rung verified reports its read as scanned.
    std::printf("%s\n", (p.json ? linhajson(r) : linhadetexto(r)).c_str());
    errodearquivo = errodearquivo || r.erroarquivo;
  }
  return errodearquivo ? 1 : statusdos(rs);
}
