// morvia-doc: marks the pages of a document with a checked, error-corrected payload and reads it
// back from scans of the printout.
#include <cstdio>
#include <cstring>

#include "comandos.h"
#include "opcoes.h"

namespace {

const char USO[] =
    "Usage:\n"
    "  morvia-doc sign INPUT OUTPUT (--text T | --number N | --hex H | --bits F.vet)\n"
    "                  [--dpi 200|400] [--seed N] [--pages LIST]\n"
    "                  [--holes EGPOS,EGNEG,FUROPOS,FURONEG] [--key KEYFILE]\n"
    "  morvia-doc verify SCAN... [--dpi 200|400] [--seed N] [--scan-dpi N] [--json]\n"
    "                  [--no-conditioning] [--paper letter|a4]\n"
    "                  [--key KEYFILE | --public-key KEYFILE.pub]\n"
    "  morvia-doc decode F.vet [--dpi 200|400] [--json] [--key K | --public-key K.pub]\n"
    "  morvia-doc capacity [--dpi 200|400] [--key K | --public-key K.pub]\n"
    "  morvia-doc keygen [--public] KEYFILE\n"
    "\n"
    "sign     marks every page of INPUT (PDF, multi-page TIFF, or an image) with the payload\n"
    "         and writes OUTPUT by its suffix: .pdf (print-ready), .tif (multi-page G4), or one\n"
    "         page as .png, .bmp or .pbm. Nothing is written unless every page is marked.\n"
    "verify   reads the payload back from scans (PDF, TIFF, PNG, JPEG, PNM, TGA, BMP): one line\n"
    "         per page, \"verified\" only when the payload's check passes after correction.\n"
    "decode   checks the bits that `morvia v2s` or `morvia v4s` wrote to a .vet file.\n"
    "capacity says how many bytes fit on a page and how many errors are then corrected.\n"
    "keygen   writes a secret key (mode 0600); with --public, a signing key pair: KEYFILE\n"
    "         (secret) and KEYFILE.pub (public). A key never overwrites a file.\n"
    "\n"
    "  --dpi      document resolution: 200 (default, letter or A4 at 2200 pixels) or 400\n"
    "  --seed     layout seed shared by sign and verify (default 7)\n"
    "  --pages    pages to mark, from 1, as in 1,3,5-7 (default all)\n"
    "  --scan-dpi resolution of the scans (overrides what their files record)\n"
    "  --paper    the sheet of a photographed page (default: told by its proportions)\n"
    "  --json     one JSON object per page (JSON Lines)\n"
    "  --no-conditioning  reads each page only as scanned (by default a page not verified is\n"
    "             read again conditioned: squared from a photo, light evened, tones\n"
    "             stretched, denoised or sharpened, whichever the page seems to need first)\n"
    "  --key      a key file: marks only its holder can make (positions and proof come from\n"
    "             the key); a signing key needs --dpi 400\n"
    "  --public-key  a public key file: checks signed marks, cannot make them\n"
    "\n"
    "Exit status: 0 success (every page verified); 1 usage or file error, or a page that\n"
    "could not be marked; 2 some page not verified.\n";

struct COMANDO {
  const char* nome;
  int (*roda)(int, char**);
};
const COMANDO COMANDOS[] = {
    {"sign", assinar},        {"verify", verificar}, {"decode", decodificar},
    {"capacity", capacidade}, {"keygen", gerachave},
};

bool pedeajuda(int argc, char** argv) {
  for (int i = 1; i < argc; i++)
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (pedeajuda(argc, argv)) {
    std::fputs(USO, stdout);
    return 0;
  }
  try {
    if (argc < 2) throw ERROUSO{"no command given"};
    for (const COMANDO& c : COMANDOS)
      if (!std::strcmp(argv[1], c.nome)) return c.roda(argc, argv);
    throw ERROUSO{std::string("unknown command '") + argv[1] + "'"};
  } catch (const ERROUSO& e) {
    std::fprintf(stderr, "morvia-doc: %s\nTry 'morvia-doc --help'.\n", e.msg.c_str());
    return 1;
  }
}
