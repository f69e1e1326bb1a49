// printscan: simulates printing a marked 1-bit page on a laser printer and scanning it back,
// writing the grey scan as an 8-bit image (TGA, or any format by its suffix, with its density).
#include <cstdio>
#include <cstring>
#include <string>

#include "argumento.h"
#include "core/aborta.h"
#include "impressao.h"
#include "io/leimp.h"
#include "io/pdf.h"

namespace {

enum TIPO { INTEIRO, REAL, CHAVE, NOME };

struct OPCAO {
  const char* nome;
  TIPO tipo;
  void* destino;
  const char* texto;
};

std::string valor(const OPCAO& o) {
  switch (o.tipo) {
    case INTEIRO: return std::to_string(*static_cast<int*>(o.destino));
    case REAL: {
      char b[32];
      std::snprintf(b, sizeof b, "%g", *static_cast<double*>(o.destino));
      return b;
    }
    case NOME: return *static_cast<std::string*>(o.destino);
    default: return *static_cast<bool*>(o.destino) ? "sim" : "nao";
  }
}

std::string linha(const std::string& opcao, const std::string& texto) {
  std::string u = "  --" + opcao;
  return u + std::string(u.size() < 22 ? 22 - u.size() : 1, ' ') + texto + "\n";
}

// The usage text lists every option with the default it has before parsing.
std::string uso(const OPCAO* ops, int n) {
  std::string u = "Uso: printscan marcada.bmp scan.tga [opcoes]\n"
                  "  Simula impressao laser e digitalizacao. Opcoes (padrao entre colchetes):\n";
  for (int i = 0; i < n; i++)
    u += linha(std::string(ops[i].nome) + (ops[i].tipo == CHAVE ? "" : " N"),
               std::string(ops[i].texto) + " [" + valor(ops[i]) + "]");
  return u + linha("help", "esta ajuda");
}

// The capture presets: each sets these options; options given after it override them.
struct PREDEFINIDA {
  const char* nome;
  double luzlinear, luzradial, trapezio, inclinacao, borrao;
  int mesa, dpiscan, dpigravado;
};
const PREDEFINIDA PREDEFINIDAS[] = {
    // a flatbed with its lid lifted: light falling to 70 % across the page
    {"scanner-irregular", 0.7, 1, 0, 0, 0.7, 0, 0, -1},
    // a phone over a desk: keystone 5 %, turned 3 degrees, light to 70 %, lens blur, about 290
    // pixels per inch on the page, and the 72 dpi phones record
    {"celular", 0.7, 1, 0.05, 3, 1.0, 150, 290, 72},
};

void aplica(const char* nome, PARAMSCAN& p, const char* uso) {
  for (const PREDEFINIDA& d : PREDEFINIDAS)
    if (std::strcmp(d.nome, nome) == 0) {
      p.luzlinear = d.luzlinear, p.luzradial = d.luzradial, p.trapezio = d.trapezio;
      p.inclinacao = d.inclinacao, p.borrao = d.borrao, p.mesa = d.mesa;
      p.dpiscan = d.dpiscan, p.dpigravado = d.dpigravado;
      return;
    }
  argumentoinvalido(nome, uso);
}

}  // namespace

int main(int argc, char** argv) {
  PARAMSCAN p;
  int semente = static_cast<int>(p.semente);
  int pagina = 1;
  std::string predefinida = "nenhuma";
  const OPCAO ops[] = {
      {"dpi-doc", INTEIRO, &p.dpidoc, "resolucao do documento"},
      {"dpi-impressora", INTEIRO, &p.dpiimpressora, "grade da impressora"},
      {"toner", REAL, &p.toner, "espalhamento do toner, sigma em pixels da impressora"},
      {"ganho", REAL, &p.ganho, "ganho de ponto: limiar de fusao 0.5 + G"},
      {"cinza", CHAVE, &p.cinza, "mantem o toner em cinza, sem fusao"},
      {"dpi-scan", INTEIRO, &p.dpiscan, "resolucao do scanner, 0 = a do documento"},
      {"rot", REAL, &p.rot, "rotacao pequena em graus, sentido horario"},
      {"giro", INTEIRO, &p.giro, "quartos de volta no sentido horario"},
      {"borda", INTEIRO, &p.borda, "borda branca em cada lado, pixels do scan"},
      {"corte", INTEIRO, &p.corte, "margem cortada de cada lado, pixels do scan"},
      {"borrao", REAL, &p.borrao, "borrao do scanner, sigma em pixels do scan"},
      {"ruido", REAL, &p.ruido, "ruido gaussiano, sigma em niveis de cinza"},
      {"gama", REAL, &p.gama, "curva de tons do scanner: refletancia r vira r^(1/G)"},
      {"semente", INTEIRO, &semente, "semente do ruido"},
      {"branco", INTEIRO, &p.branco, "cinza do papel"},
      {"preto", INTEIRO, &p.preto, "cinza do toner"},
      {"pagina", INTEIRO, &pagina, "pagina de um PDF, renderizada a dpi-doc"},
      {"captura", NOME, &predefinida, "predefinicao: scanner-irregular ou celular"},
      {"mesa", INTEIRO, &p.mesa, "mesa em volta da pagina, pixels de cada lado"},
      {"trapezio", REAL, &p.trapezio, "borda de cima menor que a de baixo, fracao da largura"},
      {"inclinacao", REAL, &p.inclinacao, "giro da pagina sobre a mesa, graus, sentido horario"},
      {"luz-linear", REAL, &p.luzlinear, "luz caindo da esquerda (1) a este nivel na direita"},
      {"luz-radial", REAL, &p.luzradial, "luz caindo do centro (1) a este nivel nos cantos"},
      {"dpi-gravado", INTEIRO, &p.dpigravado, "densidade gravada no arquivo: -1 a do scan, 0 nenhuma"},
  };
  const int nops = sizeof ops / sizeof ops[0];
  const std::string texto = uso(ops, nops);
  const char* u = texto.c_str();
  const char* arquivos[2] = {nullptr, nullptr};
  int narq = 0;
  for (int i = 1; i < argc; i++) {
    const char* a = argv[i];
    if (std::strncmp(a, "--", 2) != 0) {
      if (narq == 2) argumentoinvalido(a, u);
      arquivos[narq++] = a;
      continue;
    }
    if (std::strcmp(a, "--help") == 0) aborta(u);
    const OPCAO* o = nullptr;
    for (const OPCAO& c : ops)
      if (std::strcmp(a + 2, c.nome) == 0) o = &c;
    if (!o) argumentoinvalido(a, u);
    if (o->tipo == CHAVE) *static_cast<bool*>(o->destino) = true;
    else if (++i >= argc) argumentoinvalido(nullptr, u);
    else if (o->tipo == NOME) aplica(argv[i], p, u);
    else if (o->tipo == INTEIRO) *static_cast<int*>(o->destino) = leinteiro(argv[i], u);
    else *static_cast<double*>(o->destino) = lereal(argv[i], u);
  }
  if (narq != 2) argumentoinvalido(nullptr, u);
  if (semente < 0) argumentoinvalido(std::to_string(semente).c_str(), u);
  p.semente = static_cast<unsigned>(semente);
  validaparams(p);
  IMGBIN doc;
  if (ehpdf(arquivos[0])) {
    if (pagina < 1 || pagina > npaginaspdf(arquivos[0]))
      argumentoinvalido(std::to_string(pagina).c_str(), u);
    lepdf(doc, arquivos[0], pagina - 1, p.dpidoc);
  } else {
    le(doc, arquivos[0]);
  }
  // The scan records the density it was made at, where its format can, unless told otherwise.
  const int dpi = p.dpigravado >= 0 ? p.dpigravado : (p.dpiscan ? p.dpiscan : p.dpidoc);
  imp(printscan(doc, p), arquivos[1], dpi);
  return 0;
}
