#include "skin/object/orvia_skin.h"

#include "skin/object/slots.h"
#include "skin/theme/theme.h"

namespace orvia {

OrviaSkin* g_skin = nullptr;

namespace {

void Destroy(OrviaSkin*) {}

OrviaSkin* Copy(OrviaSkin*) { return NewOrviaSkin(); }

void SetRoutineProperty(HWND window, const char* name, OrviaRoutine routine) {
    SetPropA(window, name, reinterpret_cast<HANDLE>(reinterpret_cast<std::uintptr_t>(routine)));
}

void SetHelpClickRoutine(OrviaSkin*, HWND window, OrviaRoutine routine) {
    SetRoutineProperty(window, "Orvia_Event_HelpClick", routine);
}

void SetMainMenuClickRoutine(OrviaSkin*, HWND window, OrviaRoutine routine) {
    SetRoutineProperty(window, "Orvia_Event_MainMenuClick", routine);
}

void SetBackColor(OrviaSkin* self, COLORREF color) {
    if (!g_theme) return;
    self = slots::CallTarget(self);
    if (color == CLR_INVALID) color = GetSysColor(COLOR_BTNFACE);
    OrviaTheme& t = *g_theme;
    if (color == t.backColor) return;
    t.backColor = color;
    if (t.backBrush) DeleteObject(t.backBrush);
    if (t.backFill) gdip::GdipDeleteBrush(gdip::AsBrush(t.backFill));
    t.backBrush = CreateSolidBrush(color);
    t.backFill = NewSolidFill(ColorToArgb(color, 255));
    self->methods->RedrawAllFrames(self);
}

COLORREF GetBackColor(OrviaSkin*) { return g_theme ? g_theme->backColor : GetSysColor(COLOR_BTNFACE); }

constexpr OrviaSkinMethods kMethods = {
    Destroy,
    Copy,
    slots::SetImageFromBytes,
    slots::SetImageFromFile,
    slots::ApplyImage,
    slots::SampleImageColor,
    slots::SetSkinColor,
    slots::AttachSkin,
    slots::SkinAllChildControls,
    slots::RedrawAllFrames,
    slots::SetStatusText,
    slots::AddPage,
    slots::SelectPage,
    slots::RemovePage,
    slots::AddFrameItem,
    SetHelpClickRoutine,
    SetMainMenuClickRoutine,
    slots::SetSizable,
    SetBackColor,
    GetBackColor,
};

}  // namespace

const OrviaSkinMethods& DefaultSkinMethods() { return kMethods; }

OrviaSkin* slots::CallTarget(OrviaSkin* self) {
    static OrviaSkin fallback{&kMethods};
    return self ? self : &fallback;
}

OrviaSkin* NewOrviaSkin() { return new OrviaSkin{&kMethods}; }

void FreeOrviaSkin(OrviaSkin* skin) {
    if (!skin) return;
    skin->methods->Destroy(skin);
    delete skin;
}

}  // namespace orvia
