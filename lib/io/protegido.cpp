#include "io/protegido.h"

#include "core/aborta.h"

void abortacodec(const char* prefixo, const CONTEXTOC& c, const char* nome) {
  std::string m = prefixo;
  if (c.msg[0]) m += std::string(" (") + c.msg + ")";
  aborta(m.c_str(), nome);
}
