// Verify procedure: reads the payload back from a grey scan and writes it as a .vet file.
#pragma once

void verificacao(const char* scan, const char* vetor, int semente);
