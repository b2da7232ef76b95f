// Linked into test programs that exercise the skin: the process-wide objects
// exist and the theme is built once, before the first test, as the program
// entry does it.
#include <gtest/gtest.h>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"

namespace {

class SkinEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        orvia::g_skin = orvia::NewOrviaSkin();
        orvia::NewTheme();
        orvia::NewBannerImage();
        orvia::NewFrameRegistry();
        orvia::BuildTheme();
    }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new SkinEnvironment);

}  // namespace
