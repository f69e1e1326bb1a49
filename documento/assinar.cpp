// morvia-doc sign: every selected page of a document marked with one framed payload.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assinatura.h"
#include "carga.h"
#include "comandos.h"
#include "core/sufixo.h"
#include "core/vetorbit.h"
#include "gravacao.h"
#include "io/leimp.h"
#include "io/linhabits.h"
#include "io/pdf.h"
#include "io/tiff.h"
#include "core/paralelo.h"
#include "isolamento.h"
#include "marca.h"
#include "opcoes.h"
#include "paginas.h"
#include "perfil.h"

namespace {

enum class SAIDA { PDF, TIFF, UMA };

struct SUFIXO {
  const char* sufixo;
  SAIDA saida;
};
// clang-format off
const SUFIXO SUFIXOS[] = {
    {".pdf", SAIDA::PDF}, {".tif", SAIDA::TIFF}, {".tiff", SAIDA::TIFF},
    {".png", SAIDA::UMA}, {".bmp", SAIDA::UMA}, {".pbm", SAIDA::UMA},
};
// clang-format on

struct PEDIDO {
  std::string entrada, saida;
  SAIDA tipo = SAIDA::PDF;
  int dpi = 200, semente = 7;
  int furos[4] = {9, 12, 3, 2};  // tamegpos, tamegneg, tamfuropos, tamfuroneg
  VETORBIT embutido;             // the frame (or the raw bits) with the 16-bit header
  std::vector<int> paginas;      // pages written, from 0
  std::vector<bool> marcar;      // of each written page
};

SAIDA tipodasaida(const std::string& nome) {
  for (const SUFIXO& s : SUFIXOS)
    if (terminaem(nome.c_str(), s.sufixo)) return s.saida;
  throw ERROUSO{"OUTPUT must end in .pdf, .tif, .tiff, .png, .bmp or .pbm: " + nome};
}

VETORBIT bitsdovetor(const std::vector<bool>& v) {
  VETORBIT b(static_cast<int>(v.size()));
  for (size_t i = 0; i < v.size(); i++) b(static_cast<int>(i)) = v[i];
  return b;
}

// The payload named by exactly one of --text, --number, --hex, --bits, ready to embed.
VETORBIT embutidode(const ARGUMENTOS& a, int dpi, const SELO& selo) {
  const char* const tipos[] = {"--text", "--number", "--hex", "--bits"};
  int dados = 0;
  for (const char* t : tipos) dados += a.tem(t);
  if (dados != 1) throw ERROUSO{"give exactly one of --text, --number, --hex or --bits"};
  const int n = quadrodoperfil(dpi);
  if (a.tem("--bits")) {
    if (a.tem("--key")) throw ERROUSO{"--bits embeds plain bits, with no frame to prove: no --key"};
    VETORBIT v;
    le(v, a.opcoes.at("--bits").c_str());  // a bad file ends the run here, before any work
    if (v.n() < 1) throw ERROUSO{"--bits: the payload is empty"};
    if (v.n() > nbitslivres)
      throw ERROUSO{"--bits: " + std::to_string(v.n()) + " bits do not fit: at " +
                    std::to_string(dpi) + " dpi a page takes at most " +
                    std::to_string(nbitslivres)};
    return vetorembutido(v);
  }
  CARGA c;
  std::string erro;
  bool ok = a.tem("--text")     ? cargadetexto(a.opcoes.at("--text"), c, erro)
            : a.tem("--number") ? cargadenumero(a.opcoes.at("--number"), c, erro)
                                : cargadehex(a.opcoes.at("--hex"), c, erro);
  if (!ok) throw ERROUSO{erro};
  if (cargamaxima(n, selo) < 1)
    throw ERROUSO{"a " + std::to_string(selo.bytes()) + "-byte signature does not fit at " +
                  std::to_string(dpi) + " dpi: sign with --dpi 400 or with a MAC key"};
  if (static_cast<int>(c.bytes.size()) > cargamaxima(n, selo))
    throw ERROUSO{"the payload of " + std::to_string(c.bytes.size()) + " bytes does not fit: at " +
                  std::to_string(dpi) + " dpi a page takes at most " +
                  std::to_string(cargamaxima(n, selo)) + " bytes"};
  return vetorembutido(bitsdovetor(bitsdoquadro(codificaquadro(c, n, selo))));
}

void lefuros(const ARGUMENTOS& a, int furos[4]) {
  if (!a.tem("--holes")) return;
  const std::string& v = a.opcoes.at("--holes");
  size_t i = 0;
  for (int k = 0; k < 4; k++) {
    size_t fim = v.find(',', i);
    if ((k < 3) != (fim != std::string::npos))
      throw ERROUSO{"--holes takes four numbers: EGPOS,EGNEG,FUROPOS,FURONEG"};
    if (fim == std::string::npos) fim = v.size();
    furos[k] = static_cast<int>(inteiro("--holes", v.substr(i, fim - i), k < 2 ? 0 : 1, 64));
    i = fim + 1;
  }
}

// Runs f in an isolated child; its report, when it fails, becomes a usage-level error.
std::string isolado(const std::function<std::string()>& f, std::string& erro) {
  std::string r;
  bool ok = false;
  isola(
      1, [&](int) { return f(); },
      [&](int, const TAREFAFEITA& d) {
        ok = d.ok;
        r = d.dados;
        erro = d.erro;
      },
      1);
  return ok ? r : std::string();
}

PEDIDO lepedido(int argc, char** argv) {
  const ARGUMENTOS a = separa(
      argc, argv,
      {"--text", "--number", "--hex", "--bits", "--dpi", "--seed", "--pages", "--holes", "--key"},
      {});
  if (a.posicionais.size() != 2) throw ERROUSO{"sign takes INPUT and OUTPUT"};
  PEDIDO p;
  p.entrada = a.posicionais[0];
  p.saida = a.posicionais[1];
  p.tipo = tipodasaida(p.saida);
  p.dpi = dpidoperfil(a);
  const AUTORIA autoria = autoriade(a, false);
  p.semente = autoria.semente;
  lefuros(a, p.furos);
  p.embutido = embutidode(a, p.dpi, autoria.selo);
  std::string erro;
  const std::string n =
      isolado([&] { return std::to_string(contapaginas(p.entrada.c_str())); }, erro);
  if (n.empty()) throw ERROUSO{p.entrada + ": " + erro};
  const int npaginas = std::stoi(n);
  std::vector<int> escolhidas;
  if (a.tem("--pages")) escolhidas = listadepaginas(a.opcoes.at("--pages"), npaginas);
  if (p.tipo == SAIDA::UMA) {
    if (escolhidas.empty() && npaginas == 1) escolhidas = {0};
    if (escolhidas.size() != 1)
      throw ERROUSO{"OUTPUT holds one page: choose it with --pages (the input has " +
                    std::to_string(npaginas) + " pages)"};
    p.paginas = escolhidas;
    p.marcar = {true};
    return p;
  }
  for (int k = 0; k < npaginas; k++) {
    p.paginas.push_back(k);
    bool m = escolhidas.empty();
    for (int e : escolhidas) m = m || e == k;
    p.marcar.push_back(m);
  }
  return p;
}

// A page as the child hands it back: "nl nc neg pos falhas\n" and its rows, packed.
std::string empacota(const IMGBIN& b, const RELATOMARCA& r) {
  char cab[128];
  std::snprintf(cab, sizeof cab, "%d %d %d %d %.6f\n", b.nl(), b.nc(), r.neg, r.pos, r.falhas);
  std::string s = cab;
  const size_t nb = (static_cast<size_t>(b.nc()) + 7) / 8;
  std::vector<BYTE> linha(nb);
  for (int l = 0; l < b.nl(); l++) {
    bytesdalinha(b, l, linha.data(), nb);
    s.append(reinterpret_cast<const char*>(linha.data()), nb);
  }
  return s;
}

IMGBIN desempacota(const std::string& s, RELATOMARCA& r) {
  int nl = 0, nc = 0, lido = 0;
  std::sscanf(s.c_str(), "%d %d %d %d %lf\n%n", &nl, &nc, &r.neg, &r.pos, &r.falhas, &lido);
  IMGBIN b(nl, nc);
  const size_t nb = (static_cast<size_t>(nc) + 7) / 8;
  for (int l = 0; l < nl; l++)
    linhadosbytes(b, l, reinterpret_cast<const BYTE*>(s.data() + lido + l * nb), nb);
  return b;
}

std::string marcapagina(const PEDIDO& p, int i) {
  fixaperfil(p.dpi == 200 ? '2' : '4');
  const IMGBIN doc = paginadocumento(p.entrada.c_str(), p.paginas[i], p.dpi);
  RELATOMARCA r;
  if (!p.marcar[i]) return empacota(doc, r);
  const int* f = p.furos;
  return empacota(marca(doc, p.embutido, f[0], f[1], f[2], f[3], p.semente, &r), r);
}

void escreve(const PEDIDO& p, const std::vector<IMGBIN>& paginas, const std::string& nome) {
  if (p.tipo == SAIDA::PDF)
    imppdf(paginas, nome.c_str(), p.dpi);
  else if (p.tipo == SAIDA::TIFF)
    for (size_t k = 0; k < paginas.size(); k++) imptif(paginas[k], nome.c_str(), p.dpi, k > 0);
  else
    imp(paginas[0], nome.c_str(), p.dpi);
}

std::string linhadapagina(int pagina, const TAREFAFEITA& d, const RELATOMARCA& r, bool marcada) {
  std::string s = "page " + std::to_string(pagina + 1) + ": ";
  if (!d.ok) return s + "refused: " + d.erro;
  if (!marcada) return s + "not selected, copied unmarked";
  char b[160];
  std::snprintf(b, sizeof b, "%d holes placed, %.1f%% not placed, %s", r.neg + r.pos, r.falhas,
                r.falhas < 10 ? "ok" : "warning");
  return s + b;
}

}  // namespace

int assinar(int argc, char** argv) {
  const PEDIDO p = lepedido(argc, argv);
  const int n = static_cast<int>(p.paginas.size());
  std::vector<IMGBIN> paginas(n);
  int recusadas = 0;
  isola(
      n, [&](int i) { return marcapagina(p, i); },
      [&](int i, const TAREFAFEITA& d) {
        RELATOMARCA r;
        if (d.ok)
          paginas[i] = desempacota(d.dados, r);
        else
          recusadas++;
        std::printf("%s\n", linhadapagina(p.paginas[i], d, r, p.marcar[i]).c_str());
        std::fflush(stdout);
      },
      fiosdamaquina());
  if (recusadas) {
    std::fprintf(stderr, "morvia-doc: nothing written: %d page%s could not be marked\n", recusadas,
                 recusadas > 1 ? "s" : "");
    return 1;
  }
  std::string erro;
  const std::string tmp = temporarioao(p.saida, erro);
  if (tmp.empty()) {
    std::fprintf(stderr, "morvia-doc: %s: %s\n", p.saida.c_str(), erro.c_str());
    return 1;
  }
  isolado([&] { return escreve(p, paginas, tmp), std::string("ok"); }, erro);
  if (!erro.empty() || !publica(tmp, p.saida, erro)) {
    std::remove(tmp.c_str());
    std::fprintf(stderr, "morvia-doc: %s: not written: %s\n", p.saida.c_str(), erro.c_str());
    return 1;
  }
  std::printf("written: %s (%d page%s at %d dpi)\n", p.saida.c_str(), n, n > 1 ? "s" : "", p.dpi);
  return 0;
}
