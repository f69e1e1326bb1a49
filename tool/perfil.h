// Run profile: the process-wide sizes both modes read, fixed once by the operation word.
#pragma once

// Start values are those of profile 2, so code run before the entry sees a consistent set.
extern int tamperm;      // side, in cells, of the permutation image
extern int tamgrade;     // side of the grid of hole positions: tamperm/2
extern int tamexcl;      // side of the square closed around each drawn position
extern int npos;         // positions drawn on the grid
extern int ngrupos;      // groups of four positions, one bit each: npos/4
extern int ngrsinc;      // synchronisation groups, the last ones
extern int ngrdados;     // groups for the embedded vector: ngrupos - ngrsinc
extern int nbitslivres;  // payload bits that fit beside the 16-bit header: ngrdados - 16

// Debug run: intermediate images are written to the working directory.
extern bool deb;

// True when pics names a profile ('2' or '4').
bool perfilvalido(char pics);

// Sets the eight sizes from the profile named by pics.
void fixaperfil(char pics);
