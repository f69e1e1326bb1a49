// Fatal report and the small conventions every routine of the library follows.
#pragma once

// Writes "message complement\n" to standard error and ends the process with status 1.
[[noreturn]] void aborta(const char* msg, const char* compl_ = "");

#ifdef MORVIA_FUZZ
// The fuzz targets try many inputs in one process: there a report ends the input being tried,
// by this exception, instead of the process. Nothing else is built with MORVIA_FUZZ.
struct FIMFATAL {};
#endif

// Library debug switch: true from start-up; the tool never changes it.
extern bool debugLib;

// Debug prints: "Debug: %d\n" and "Debug: %s %s\n" on standard error when debugLib is on.
void debug(int valor);
void debug(const char* s1, const char* s2);

// Processor time of the process, truncated: milliseconds and hundredths of a second.
long tempoms();
long tempocs();

// Version printed in the start-up banner.
constexpr int VERSAO_MAIOR = 4;
constexpr int VERSAO_MENOR = 5;
