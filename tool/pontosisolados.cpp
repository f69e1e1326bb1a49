#include "pontosisolados.h"

#include <cmath>
#include <cstdio>

#include "detectafuros.h"
#include "io/leimp.h"
#include "perfil.h"
#include "proc/componentes.h"
#include "proc/logicos.h"
#include "proc/morphology.h"

namespace {

// Reports the dots of each kind: a dot darker than the scan two columns to its right is a
// black dot on white.
void contatipos(const IMGGRY& scan, const IMGBIN& pontos) {
  int neg = 0, pos = 0;
  cadapreto(pontos, [&](int r, int c) {
    if (scan(r, c + 2) > scan(r, c))
      neg++;
    else
      pos++;
  });
  std::printf("  #furos recuperados: neg (pt/br)=%d   pos (br/pt)=%d\n", neg, pos);
}

}  // namespace

IMGBIN redimcanonico(const IMGBIN& img, int a, int b) {
  IMGBIN sai(a, b, true);
  const double fl = static_cast<double>(a) / img.nl(), fc = static_cast<double>(b) / img.nc();
  cadapreto(img, [&](int i, int j) {
    double r = std::floor(fl * i + 0.5), c = std::floor(fc * j + 0.5);
    if (r >= 0 && r < a && c >= 0 && c < b)
      sai.poe(static_cast<int>(r), static_cast<int>(c), false);
  });
  return sai;
}

void extraipontos(const IMGGRY& scan, IMGBIN& mascara, IMGFLT& canonflt) {
  IMGBIN pontos = centrocomp(detectafuros(scan, 2, 18, 0, 0, 192, 128));
  if (deb) imp(pontos, "_v01.bmp");
  contatipos(scan, pontos);
  IMGBIN canonica = redimcanonico(pontos, tamperm, tamperm);
  if (deb) imp(canonica, "_v02.bmp");
  mascara = removepequenos(erosao(dilatacao(canonica, 27, 27), 27, 27), 2);
  if (deb) imp(mascara, "_v04.bmp");
  canonflt = IMGFLT(canonica || mascara);
  if (deb) imp(canonflt, "_v05.tga");
}
