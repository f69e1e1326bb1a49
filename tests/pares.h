// The peer tools of the interoperability tests: a test that needs one skips, naming the Debian
// package, when it is absent (make test and the CI install them).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "apoio.h"

#define EXIGE(prog, pacote) \
  if (!tem(prog))           \
  GTEST_SKIP() << prog " ausente: instale o pacote Debian " pacote " (make test o instala)"

// Runs a shell command line in dir; a failure of the peer tool fails the test.
inline void roda(const std::string& cmd, const DIRTEMP& d) {
  SAIDA s = executa("/bin/sh", {"-c", cmd}, d.dir());
  ASSERT_EQ(s.status, 0) << cmd << "\n" << s.err;
}

// The same, returning what the tool printed on standard output.
inline std::string saida(const std::string& cmd, const DIRTEMP& d) {
  SAIDA s = executa("/bin/sh", {"-c", cmd}, d.dir());
  EXPECT_EQ(s.status, 0) << cmd << "\n" << s.err;
  return s.out;
}
