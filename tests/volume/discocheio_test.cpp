// Every route of the generic volume writer onto a full disk: the file each writer opens is a
// link to /dev/full (for a TGA sequence, its first frame), and the writer stops with its own
// message and that name.
#include <gtest/gtest.h>

#include "discocheio.h"
#include "volume/leimpvol.h"

namespace {

TEST(DiscoCheioVolume, CadaEscritorRelataComSeuNome) {
  I3DGRY gry(2, 3, 5);
  gry.preenche(90);
  I3DCOR cor(2, 3, 5);
  cor.preenche(COR(1, 2, 3));
  I3DSHT sht(2, 3, 5);
  I3DFLT flt(2, 3, 5);
  flt.preenche(0.5f);
  I3DCPX cpx(2, 3, 5);
  confere_disco_cheio({
      {"g.avi", "g.avi", grava(gry), "Erro ImpAvi(I3DGRY) - Escrita de "},
      {"g", "g000.tga", grava(gry), "Erro IMGGRY::imp - Escrita de "},
      {"c.avi", "c.avi", grava(cor), "Erro ImpAvi(I3DCOR) - Escrita de "},
      {"c", "c000.tga", grava(cor), "Erro IMGCOR::ImpTga - Escrita de "},
      {"s.img", "s.img", grava(sht), "Erro I3DSHT::ImpImg - Escrita de "},
      {"s", "s000.tga", grava(sht), "Erro IMGGRY::imp - Escrita de "},
      {"f.img", "f.img", grava(flt), "Erro I3DFLT::ImpImg - Escrita de "},
      {"f", "f000.tga", grava(flt), "Erro IMGGRY::imp - Escrita de "},
      {"f.avi", "f.avi", grava(flt), "Erro ImpAvi(I3DGRY) - Escrita de "},
      {"x.img", "x.img", grava(cpx), "Erro I3DCPX::ImpImg - Escrita de "},
  });
}

}  // namespace
