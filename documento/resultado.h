// What verify and decode report for one page: a verdict, and the payload only when verified.
#pragma once

#include <string>
#include <vector>

#include "quadro.h"

struct RESULTADO {
  std::string arquivo;
  int pagina = 1;                        // from 1
  std::string veredito = "no mark";      // "verified", "unverified" or "no mark"
  std::string especie = "bits";          // "text", "number", "hex", or "bits" when not verified
  std::string carga;                     // the payload as it was given; only when verified
  std::string bits;                      // the frame's bits as read; only when unverified
  int corrigidos = 0;                    // bytes the code corrected
  std::string motivo;                    // why not verified
  double dpiscan = 0;                    // density the page was read at; 0 when not a scan
  std::string condicionamento = "none";  // what was done to the scan before reading
  std::string prova = "none";            // the proof checked: "none", "mac" or "signature"
  bool erroarquivo = false;              // the page itself could not be read from its file
};

// The verdict of a frame read with its per-byte confidences (empty for none), checked with s.
void julga(RESULTADO& r, const std::vector<uint8_t>& lido, const std::vector<double>& confianca,
           const SELO& s);

// "no mark" with the reason the reading stopped, in the program's words where it knows them.
void semmarca(RESULTADO& r, const std::string& relato);

// One line for a person; one JSON object for a program.
std::string linhadetexto(const RESULTADO& r);
std::string linhajson(const RESULTADO& r);

// 0 when every page is verified, 2 otherwise.
int statusdos(const std::vector<RESULTADO>& rs);
