// Generic volume reader and writer: the content of the file picks the reader, the suffix of the
// name picks the writer, as for images (io/leimp.h).
#pragma once

#include "../io/leimp.h"
#include "volumes.h"

void le(I3DGRY& v, const char* nome);
void le(I3DCOR& v, const char* nome);
void le(I3DSHT& v, const char* nome);
void le(I3DFLT& v, const char* nome);
void le(I3DCPX& v, const char* nome);

void imp(const I3DGRY& v, const char* nome);
void imp(const I3DCOR& v, const char* nome);
void imp(const I3DSHT& v, const char* nome);
void imp(const I3DFLT& v, const char* nome);
void imp(const I3DCPX& v, const char* nome);
