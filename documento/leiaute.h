// Whether a layout seed reads back at all. A few seeds give a layout whose synchronisation
// fails on every page, even unprinted; a seed that a key derives cannot be changed by the user,
// so keys are drawn until their layout reads back.
#pragma once

// Marks a white page with the seed at each profile and reads it back, in isolated children.
bool leiautelegivel(int semente);
