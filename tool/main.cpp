#include "entrada.h"

int main(int argc, char** argv) { return entrada(argc, argv); }
