// Print-and-scan simulation: a 1-bit page at the document's dpi goes through a laser printer
// and a flatbed scanner and comes out as an 8-bit grey scan. Stages in physical order, each
// left out when its parameter has the neutral value:
//   imprime     upsampling to the printer grid, toner spread, dot gain, fusing
//   digitaliza  page placement on the platen (small rotation, quarter turn, border or cut) and
//               area-averaging onto the scan grid
//   captura     a photograph or an uneven flatbed: the page on a desk, keystone and turn,
//               light falling off across the capture (captura.h)
//   borra       scanner or lens optics (gauss.h)
//   quantiza    tone curve (gamma), contrast, sensor noise, 8-bit rounding and clamping
// Turns are clockwise as the image is viewed (row 0 at the top).
#pragma once

#include "core/imagens.h"
#include "folha.h"

struct PARAMSCAN {
  int dpidoc = 200;         // resolution of the document
  int dpiimpressora = 600;  // printer grid
  double toner = 0;         // toner spread: Gaussian sigma in printer pixels
  double ganho = 0;         // dot gain: fusing threshold 0.5 + ganho, so black grows (in
                            // whole printer pixels, where the threshold passes a spread value)
  bool cinza = false;       // keep the spread toner grey instead of fusing it to black/white
  int dpiscan = 0;          // scan resolution; 0 = dpidoc
  double rot = 0;           // small rotation, degrees clockwise, about the page centre
  int giro = 0;             // quarter turns clockwise (negative: anticlockwise)
  int borda = 0;            // white platen border added on every side, scan pixels
  int corte = 0;            // margin cut from every side, scan pixels
  double borrao = 0;        // scanner blur: Gaussian sigma in scan pixels
  double ruido = 0;         // sensor noise: Gaussian sigma in grey levels
  double gama = 1;          // scanner tone curve: reflectance r is encoded as r^(1 / gama), so
                            // gama > 1 lightens mid-greys and gama < 1 darkens them
  unsigned semente = 1;     // noise seed
  int branco = 245;         // grey of paper
  int preto = 25;           // grey of solid toner
  // Capture stage; every default leaves the scan as it is.
  int mesa = 0;             // desk shown around the page, pixels on every side
  double trapezio = 0;      // keystone: the page's top edge shorter than its bottom by this
                            // fraction of its width
  double inclinacao = 0;    // the page's turn on the desk, degrees clockwise
  double luzlinear = 1;     // light falling from 1 at the capture's left edge to this at its right
  double luzradial = 1;     // vignetting: light falling from 1 at the centre to this at the corners
  int dpigravado = -1;      // density recorded in the output file; -1 = the scan's, 0 = none
};

// Stops with a message naming the first parameter out of range.
void validaparams(const PARAMSCAN& p);

FOLHA imprime(const IMGBIN& doc, const PARAMSCAN& p);
// Reflectance on the scan grid, 0 toner to 1 paper.
IMGFLT digitaliza(const FOLHA& f, const PARAMSCAN& p);
IMGGRY quantiza(const IMGFLT& refl, const PARAMSCAN& p);

// All the stages. Deterministic for a given p.semente.
IMGGRY printscan(const IMGBIN& doc, const PARAMSCAN& p);
