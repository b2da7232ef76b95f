#include "skin/render/banner_source.h"

namespace orvia {

// The image object is not part of this build yet: frames show the plain skin
// colour in their caption band.
gdip::GpImage* BannerPicture() { return nullptr; }

}  // namespace orvia
