// Writers meeting a full disk: each case writes through a link to /dev/full and must stop with
// its own message and the name of the file it opened.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "apoio.h"
#include "core/relato.h"

struct CASOCHEIO {
  const char* nome;     // given to the writer
  const char* escrito;  // the file the writer opens (a number after a suffix is cut off; the
                        // first frame of a TGA sequence)
  std::function<void(const char* nome)> imp;
  const char* msg;
};

inline void confere_disco_cheio(std::initializer_list<CASOCHEIO> casos) {
  DIRTEMP d;
  for (const CASOCHEIO& c : casos) {
    SCOPED_TRACE(c.nome);
    const std::string escrito = d / c.escrito;
    ASSERT_EQ(symlink("/dev/full", escrito.c_str()), 0);
    EXPECT_EXIT(c.imp((d / c.nome).c_str()), ::testing::ExitedWithCode(1),
                relato(c.msg, escrito));
    unlink(escrito.c_str());
  }
}

// A writer of the generic imp for one object, copied in.
template <class O>
std::function<void(const char*)> grava(const O& o) {
  return [o](const char* nome) { imp(o, nome); };
}
