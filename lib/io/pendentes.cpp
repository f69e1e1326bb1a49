// Formats whose readers and writers are not written yet: each stops with one clear report.
// Delete a group here when its real implementation lands.
#include "core/aborta.h"
#include "core/imagens.h"
#include "io/pnm.h"

namespace {
[[noreturn]] void pendente(const char* nome) {
  aborta("Erro: formato ainda nao disponivel ", nome);
}
}  // namespace

// MAT text files.
void IMGBIN::LeTxt(const char* nome) { pendente(nome); }
void IMGBIN::ImpTxt(const char* nome) const { pendente(nome); }
void IMGGRY::LeTxt(const char* nome) { pendente(nome); }
void IMGGRY::ImpTxt(const char* nome) const { pendente(nome); }
void IMGCOR::LeTxt(const char* nome) { pendente(nome); }
void IMGCOR::ImpTxt(const char* nome) const { pendente(nome); }
void IMGSHT::LeTxt(const char* nome) { pendente(nome); }
void IMGSHT::ImpTxt(const char* nome) const { pendente(nome); }
void IMGFLT::LeTxt(const char* nome) { pendente(nome); }
void IMGFLT::ImpTxt(const char* nome) const { pendente(nome); }
void IMGDBL::LeTxt(const char* nome) { pendente(nome); }
void IMGDBL::ImpTxt(const char* nome) const { pendente(nome); }
void IMGCPX::LeTxt(const char* nome) { pendente(nome); }
void IMGCPX::ImpTxt(const char* nome) const { pendente(nome); }

// Native IMG files.
void IMGSHT::LeImg(const char* nome) { pendente(nome); }
void IMGSHT::ImpImg(const char* nome) const { pendente(nome); }
void IMGFLT::LeImg(const char* nome) { pendente(nome); }
void IMGFLT::ImpImg(const char* nome) const { pendente(nome); }
void IMGDBL::LeImg(const char* nome) { pendente(nome); }
void IMGDBL::ImpImg(const char* nome) const { pendente(nome); }
void IMGCPX::LeImg(const char* nome) { pendente(nome); }
void IMGCPX::ImpImg(const char* nome) const { pendente(nome); }

// JPEG files.
void IMGGRY::LeJpg(const char* nome) { pendente(nome); }
void IMGGRY::ImpJpg(const char* nome, int) const { pendente(nome); }
void IMGCOR::LeJpg(const char* nome) { pendente(nome); }
void IMGCOR::ImpJpg(const char* nome, int) const { pendente(nome); }

// PBM, PGM and PPM files.
void lepbmt(IMGBIN&, const char* nome) { pendente(nome); }
void lepbmb(IMGBIN&, const char* nome) { pendente(nome); }
void lepgmt(IMGGRY&, const char* nome) { pendente(nome); }
void lepgmb(IMGGRY&, const char* nome) { pendente(nome); }
void leppmt(IMGCOR&, const char* nome) { pendente(nome); }
void leppmb(IMGCOR&, const char* nome) { pendente(nome); }
void imppbmt(const IMGBIN&, const char* nome) { pendente(nome); }
void imppbmb(const IMGBIN&, const char* nome) { pendente(nome); }
void imppgmt(const IMGGRY&, const char* nome) { pendente(nome); }
void imppgmb(const IMGGRY&, const char* nome) { pendente(nome); }
void impppmt(const IMGCOR&, const char* nome) { pendente(nome); }
void impppmb(const IMGCOR&, const char* nome) { pendente(nome); }
