// Atomic output: a file is written under a temporary name in its own folder and renamed over
// its final name only when complete, so a reader never sees half a file.
#pragma once

#include <string>

// Creates an empty, unique temporary file beside destino, with the same suffix (writers choose
// the format by it); returns its name, or "" with the reason in erro.
std::string temporarioao(const std::string& destino, std::string& erro);

// Flushes tmp to the disk and renames it to destino; on failure removes tmp and says why.
bool publica(const std::string& tmp, const std::string& destino, std::string& erro);
