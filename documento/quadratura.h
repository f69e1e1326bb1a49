// A capture squared to its sheet: the page of a photograph, or of a scan under a lifted lid,
// found by its edges, its sheet told by its proportions (or named), and warped to that sheet at
// the document's density.
#pragma once

#include <string>

#include "core/imagens.h"

struct QUADRATURA {
  IMGGRY pagina;       // the sheet at the document's density; empty when no page was found
  double dpi = 0;      // the capture's pixels per inch on the page
  std::string motivo;  // why there is no page: "no page found", "page cut by the image edge"
};

// folha: a name in FOLHAS (paginas.h), or empty to take the sheet whose proportions are
// closest to the page's.
QUADRATURA quadra(const IMGGRY& captura, int dpidoc, const std::string& folha);
