// Every route of the generic writer onto a full disk: each name is a link to /dev/full, so the
// writer chosen by the suffix meets the failure and must stop with its own message and the name.
#include <gtest/gtest.h>

#include "discocheio.h"
#include "imagens_teste.h"
#include "io/leimp.h"
#include "io/pdf.h"

namespace {

TEST(DiscoCheio, CadaEscritorRelataComSeuNome) {
  const IMGBIN bin(3, 5, true);
  const IMGGRY gry = cinza(3, 5);
  const IMGCOR cor = colorida(3, 5);
  const IMGSHT sht(gry);
  const IMGFLT flt(gry);
  const IMGDBL dbl(gry);
  const IMGCPX cpx(flt);
  // Larger than the 64 KiB stream buffer: the failure comes inside the writes, not at the close.
  const IMGCOR grande = colorida(300, 300);
  confere_disco_cheio({
      {"b.bmp", "b.bmp", grava(bin), "Erro IMGBIN::ImpBmp - Escrita de "},
      {"b.txt", "b.txt", grava(bin), "Erro IMGBIN::ImpTxt - Escrita de "},
      {"b.pbm", "b.pbm", grava(bin), "Erro imppbmb - Escrita de "},
      {"b.pbm1", "b.pbm", grava(bin), "Erro imppbmt - Escrita de "},
      {"g.tga", "g.tga", grava(gry), "Erro IMGGRY::imp - Escrita de "},
      {"g.mat", "g.mat", grava(gry), "Erro IMGGRY::ImpTxt - Escrita de "},
      {"g.jpg", "g.jpg", grava(gry), "Erro ImpJpg - Escrita de "},
      {"g.pgm", "g.pgm", grava(gry), "Erro imppgmb - Escrita de "},
      {"g.pgm2", "g.pgm", grava(gry), "Erro imppgmt - Escrita de "},
      {"c.tga", "c.tga", grava(cor), "Erro IMGCOR::ImpTga - Escrita de "},
      {"c.txt", "c.txt", grava(cor), "Erro IMGCOR::ImpTxt - Escrita de "},
      {"c.jpg50", "c.jpg", grava(cor), "Erro ImpJpg - Escrita de "},
      {"c.ppm", "c.ppm", grava(cor), "Erro impppmb - Escrita de "},
      {"c.ppm1", "c.ppm", grava(cor), "Erro impppmt - Escrita de "},
      {"s.txt", "s.txt", grava(sht), "Erro IMGSHT::ImpTxt - Escrita de "},
      {"s.img", "s.img", grava(sht), "Erro IMGSHT::ImpImg - Escrita de "},
      {"s.tga", "s.tga", grava(sht), "Erro IMGGRY::imp - Escrita de "},
      {"f.txt", "f.txt", grava(flt), "Erro IMGFLT::ImpTxt - Escrita de "},
      {"f.img", "f.img", grava(flt), "Erro IMGFLT::ImpImg - Escrita de "},
      {"f.tga", "f.tga", grava(flt), "Erro IMGGRY::imp - Escrita de "},
      {"f.bmp", "f.bmp", grava(flt), "Erro IMGBIN::ImpBmp - Escrita de "},
      {"f.jpg", "f.jpg", grava(flt), "Erro ImpJpg - Escrita de "},
      {"f.pgm", "f.pgm", grava(flt), "Erro imppgmb - Escrita de "},
      {"d.txt", "d.txt", grava(dbl), "Erro IMGDBL::ImpTxt - Escrita de "},
      {"d.img", "d.img", grava(dbl), "Erro IMGDBL::ImpImg - Escrita de "},
      {"d.tga", "d.tga", grava(dbl), "Erro IMGGRY::imp - Escrita de "},
      {"x.txt", "x.txt", grava(cpx), "Erro IMGCPX::ImpTxt - Escrita de "},
      {"x.img", "x.img", grava(cpx), "Erro IMGCPX::ImpImg - Escrita de "},
      {"grande.tga", "grande.tga", grava(grande), "Erro IMGCOR::ImpTga - Escrita de "},
      {"grande.ppm1", "grande.ppm", grava(grande), "Erro impppmt - Escrita de "},
      {"grande.txt", "grande.txt", grava(grande), "Erro IMGCOR::ImpTxt - Escrita de "},
      {"b.png", "b.png", grava(bin), "Erro ImpPng - Escrita de "},
      {"g.png", "g.png", grava(gry), "Erro ImpPng - Escrita de "},
      {"f.png", "f.png", grava(flt), "Erro ImpPng - Escrita de "},
      {"grande.png", "grande.png", grava(grande), "Erro ImpPng - Escrita de "},
      {"b.tif", "b.tif", grava(bin), "Erro ImpTif - Escrita de "},
      {"g.tif", "g.tif", grava(gry), "Erro ImpTif - Escrita de "},
      {"d.tif", "d.tif", grava(dbl), "Erro ImpTif - Escrita de "},
      {"grande.tif", "grande.tif", grava(grande), "Erro ImpTif - Escrita de "},
      {"b.pdf", "b.pdf", [bin](const char* n) { imppdf(bin, n, 200); }, "Erro ImpPdf - Escrita de "},
      {"grande.pdf", "grande.pdf", [grande](const char* n) { imppdf(IMGGRY(grande), n, 200); },
       "Erro ImpPdf - Escrita de "},
  });
}

}  // namespace
