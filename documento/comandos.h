// The commands of morvia-doc. Each takes the whole argv (argv[1] is the command's name) and
// returns the exit status; a usage error is thrown as ERROUSO.
#pragma once

int assinar(int argc, char** argv);
int verificar(int argc, char** argv);
int decodificar(int argc, char** argv);
int capacidade(int argc, char** argv);
int gerachave(int argc, char** argv);

// Sets the profile of a document of dpi (200 or 400) and returns its frame's size in bytes.
int quadrodoperfil(int dpi);
