#include "gravacao.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string temporarioao(const std::string& destino, std::string& erro) {
  const size_t barra = destino.find_last_of('/');
  const std::string pasta = barra == std::string::npos ? "" : destino.substr(0, barra + 1);
  const std::string base = barra == std::string::npos ? destino : destino.substr(barra + 1);
  const size_t ponto = base.find_last_of('.');
  const std::string sufixo = ponto == std::string::npos ? "" : base.substr(ponto);
  std::string modelo = pasta + "." + base + ".XXXXXX" + sufixo;
  std::vector<char> b(modelo.begin(), modelo.end());
  b.push_back('\0');
  const int fd = mkstemps(b.data(), static_cast<int>(sufixo.size()));
  if (fd < 0) {
    erro = std::strerror(errno);
    return "";
  }
  close(fd);
  return b.data();
}

bool publica(const std::string& tmp, const std::string& destino, std::string& erro) {
  const int fd = open(tmp.c_str(), O_RDONLY);
  bool ok = fd >= 0;
  if (ok) {
    ok = fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
  }
  ok = ok && std::rename(tmp.c_str(), destino.c_str()) == 0;
  if (!ok) {
    erro = std::strerror(errno);
    std::remove(tmp.c_str());
  }
  return ok;
}
