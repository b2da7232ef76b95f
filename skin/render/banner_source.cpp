#include "skin/render/banner_source.h"

#include "skin/image/image.h"

namespace orvia {

gdip::GpImage* BannerPicture() { return g_bannerImage ? g_bannerImage->methods->GetImage(g_bannerImage) : nullptr; }

}  // namespace orvia
