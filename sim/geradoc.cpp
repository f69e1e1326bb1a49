// geradoc: writes a synthetic text page as a 1-bit image, to be marked and run through printscan;
// or several pages as a PDF or a multi-page TIFF.
#include <string>
#include <vector>

#include "argumento.h"
#include "core/sufixo.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/tiff.h"
#include "pagina.h"

namespace {

const char USO[] =
    "Uso: geradoc saida.bmp [dpi [semente]]\n"
    "     geradoc saida.bmp NL NC dpi [semente]\n"
    "  Pagina de texto sintetica em preto e branco. Na primeira forma, uma folha carta\n"
    "  (11 x 8.5 polegadas: 2200 x 1700 a 200 dpi, 4400 x 3400 a 400 dpi); na segunda,\n"
    "  NL linhas por NC colunas. dpi padrao 200 (de 50 a 1200), semente padrao 1.\n"
    "  --paginas N ao fim: N paginas (sementes seguidas) num PDF ou TIFF de varias paginas.\n";

// Several pages go into a document format: each page its own seed, at the page's dpi.
void gravapaginas(const char* nome, int npag, int nl, int nc, int dpi, unsigned semente) {
  std::vector<IMGBIN> paginas;
  for (int k = 0; k < npag; k++) paginas.push_back(geradoc(nl, nc, dpi, semente + k));
  if (terminaem(nome, ".pdf")) {
    imppdf(paginas, nome, dpi);
    return;
  }
  if (!terminaem(nome, ".tif")) argumentoinvalido(nome, USO);
  for (int k = 0; k < npag; k++) imptif(paginas[k], nome, dpi, k > 0);
}

}  // namespace

int main(int argc, char** argv) {
  int npag = 0;
  if (argc >= 4 && std::string(argv[argc - 2]) == "--paginas") {
    npag = leinteiro(argv[argc - 1], USO);
    if (npag < 1 || npag > 1000) argumentoinvalido(argv[argc - 1], USO);
    argc -= 2;
  }
  if (argc < 2 || argc > 6 || argv[1][0] == '-') argumentoinvalido(argc > 1 ? argv[1] : nullptr, USO);
  bool comtamanho = argc >= 5;
  int i = comtamanho ? 4 : 2;
  int dpi = argc > i ? leinteiro(argv[i], USO) : 200;
  int semente = argc > i + 1 ? leinteiro(argv[i + 1], USO) : 1;
  if (dpi < 50 || dpi > 1200) argumentoinvalido(argv[i], USO);
  int nl = comtamanho ? leinteiro(argv[2], USO) : dpi * 11;
  int nc = comtamanho ? leinteiro(argv[3], USO) : dpi * 17 / 2;
  if (nl < 1) argumentoinvalido(argv[2], USO);
  if (nc < 1) argumentoinvalido(argv[3], USO);
  if (npag) gravapaginas(argv[1], npag, nl, nc, dpi, static_cast<unsigned>(semente));
  else imp(geradoc(nl, nc, dpi, static_cast<unsigned>(semente)), argv[1]);
  return 0;
}
