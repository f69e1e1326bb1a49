// imgconv CLASS input output [page [dpi]]: reads an image or volume file into one of the
// library's image or volume classes and writes it back; the formats follow from the input's
// content and the output's suffix. A PDF is read page by page (a scanned page as its own image,
// any other page rendered) and written as print-ready pages; a TIFF's page may be chosen. The
// density the input records goes to outputs that record one.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "core/aborta.h"
#include "core/imagens.h"
#include "core/sufixo.h"
#include "io/densidade.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/tiff.h"
#include "volume/leimpvol.h"

namespace {

const char* const USO =
    "Uso: imgconv CLASSE entrada saida [pagina [dpi]] (CLASSE: bin, gry, cor, sht, flt, dbl, "
    "cpx, i3dgry, i3dcor, i3dsht, i3dflt ou i3dcpx; pagina de um TIFF ou PDF, a partir de 1; "
    "dpi de uma pagina de PDF desenhada e da saida cuja entrada nao registra densidade, 200 "
    "se omitido)";

constexpr double DPIPADRAO = 200;

struct PEDIDO {
  const char *entrada, *saida;
  int pagina = 0;  // from 0
  double dpi = 0;  // given on the command line; 0 if not
};

// Page pagina of an image file into any class, with the density it records (0 when none).
template <class I>
double lenaopdf(I& img, const PEDIDO& p) {
  if (TipoImg(p.entrada) == FORMATO_TIFF)
    letif(img, p.entrada, p.pagina);
  else if (p.pagina != 0)
    aborta("Erro imgconv - Pagina inexistente", p.entrada);
  else
    le(img, p.entrada);
  DENSIDADE d = densidade(p.entrada, p.pagina);
  return d.conhecida() ? d.x : 0;
}

// A PDF page as grey or bilevel: a scanned page as its own image, any other rendered.
template <class L>
double lepdfpagina(L& img, const PEDIDO& p) {
  IMGGRY g;
  if (double dpi = lepdfdigitalizado(g, p.entrada, p.pagina)) {
    img = L(g);
    return dpi;
  }
  const double dpi = p.dpi > 0 ? p.dpi : DPIPADRAO;
  lepdf(img, p.entrada, p.pagina, dpi);
  return dpi;
}

template <class I>
double leimagem(I& img, const PEDIDO& p) {
  if (!ehpdf(p.entrada)) return lenaopdf(img, p);
  if constexpr (std::is_same<I, IMGBIN>::value || std::is_same<I, IMGGRY>::value) {
    return lepdfpagina(img, p);
  } else {
    IMGGRY g;
    const double dpi = lepdfpagina(g, p);
    img = I(g);
    return dpi;
  }
}

// PDF pages are bilevel (a mask) or grey.
void imppdfde(const IMGBIN& img, const char* nome, double dpi) { imppdf(img, nome, dpi); }
void imppdfde(const IMGGRY& img, const char* nome, double dpi) { imppdf(img, nome, dpi); }
void imppdfde(const IMGCPX&, const char* nome, double) {
  aborta(nome, " Erro: IMGCPX deve ser impresso como TXT (MAT), ou IMG");
}
template <class I>
void imppdfde(const I& img, const char* nome, double dpi) {
  imppdf(IMGGRY(img), nome, dpi);
}

template <class I>
void converte(const PEDIDO& p) {
  I img;
  double dpi = leimagem(img, p);
  if (dpi <= 0) dpi = p.dpi;
  if (terminaem(p.saida, ".pdf"))
    imppdfde(img, p.saida, dpi > 0 ? dpi : DPIPADRAO);
  else
    imp(img, p.saida, dpi);
}

template <class V>
void convertevolume(const PEDIDO& p) {
  if (p.pagina != 0) aborta(USO);
  V v;
  le(v, p.entrada);
  imp(v, p.saida);
}

struct CLASSE {
  const char* nome;
  void (*converte)(const PEDIDO&);
};

const CLASSE CLASSES[] = {
    {"bin", converte<IMGBIN>},          {"gry", converte<IMGGRY>},
    {"cor", converte<IMGCOR>},          {"sht", converte<IMGSHT>},
    {"flt", converte<IMGFLT>},          {"dbl", converte<IMGDBL>},
    {"cpx", converte<IMGCPX>},          {"i3dgry", convertevolume<I3DGRY>},
    {"i3dcor", convertevolume<I3DCOR>}, {"i3dsht", convertevolume<I3DSHT>},
    {"i3dflt", convertevolume<I3DFLT>}, {"i3dcpx", convertevolume<I3DCPX>},
};

// A whole decimal number within [min, max], or false.
bool numero(const char* s, double min, double max, double& v) {
  char* fim;
  errno = 0;
  v = std::strtod(s, &fim);
  return *s && !*fim && errno == 0 && v >= min && v <= max;
}

}  // namespace

int main(int argc, char** argv) {
  PEDIDO p;
  double pagina = 1;
  const bool ok = argc >= 4 && argc <= 6 && (argc < 5 || numero(argv[4], 1, 65536, pagina)) &&
                  pagina == static_cast<int>(pagina) &&
                  (argc < 6 || numero(argv[5], 1, 100000, p.dpi));
  if (ok)
    for (const CLASSE& c : CLASSES)
      if (std::strcmp(argv[1], c.nome) == 0) {
        p.entrada = argv[2];
        p.saida = argv[3];
        p.pagina = static_cast<int>(pagina) - 1;
        c.converte(p);
        return 0;
      }
  aborta(USO);
}
