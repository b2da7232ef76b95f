// The theme as the drawing code reads it.
#pragma once

#include "skin/theme/theme.h"

namespace orvia {

// The built theme, or an all-empty one before it exists: every GDI and GDI+
// call then gets null handles and draws nothing, which is what drawing
// without a theme should do.
inline const OrviaTheme& RenderTheme() {
    static const OrviaTheme empty{};
    return g_theme ? *g_theme : empty;
}

}  // namespace orvia
