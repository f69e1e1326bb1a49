// The program's entry: operation word, run profile, parameters, hand-over to sign or verify.
#pragma once

int entrada(int argc, char** argv);
