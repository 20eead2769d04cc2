#ifndef DG_PALETTE_HPP
#define DG_PALETTE_HPP

// Palette lives with the other modeless windows.
#include "DG/ModelessBase.hpp"

#endif
