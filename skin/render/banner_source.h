// The banner picture as the frame rendering sees it.
#pragma once

#include "gdiplus/gdiplus_flat.h"

namespace orvia {

// The image handle of the banner picture, or null while it holds none.
gdip::GpImage* BannerPicture();

}  // namespace orvia
