#include "skin/object/orvia_skin.h"

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

// --- Slots whose subsystems are not in this build yet: each does nothing
// --- and returns its failure value.
bool SetImageFromBytes(OrviaSkin*, ByteSpan) { return false; }
bool SetImageFromFile(OrviaSkin*, const char*) { return false; }
void ApplyImage(OrviaSkin*) {}
COLORREF SampleImageColor(OrviaSkin*, gdip::GpImage*) { return 0; }
bool SetSkinColor(OrviaSkin*, COLORREF) { return false; }
bool AttachSkin(OrviaSkin*, HWND, std::optional<std::int32_t>, std::optional<std::int32_t>, std::optional<bool>,
                std::optional<bool>, std::optional<bool>, std::optional<bool>, std::optional<bool>,
                std::optional<std::int32_t>, std::optional<std::int32_t>) {
    return false;
}
void SkinAllChildControls(OrviaSkin*) {}
void RedrawAllFrames(OrviaSkin*) {}
void SetStatusText(OrviaSkin*, HWND, const char*) {}
std::int32_t AddPage(OrviaSkin*, HWND, const char*, ByteSpan, std::optional<HWND>, std::optional<OrviaRoutine>) {
    return 0;
}
std::int32_t SelectPage(OrviaSkin*, HWND, const char*) { return 0; }
std::int32_t RemovePage(OrviaSkin*, HWND, const char*) { return 0; }
std::int32_t AddFrameItem(OrviaSkin*, FrameRecord&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          std::int32_t, std::int32_t, const char*, std::optional<HICON>) {
    return 0;
}
bool SetSizable(OrviaSkin*, HWND, std::optional<std::int32_t>, std::optional<std::int32_t>) { return false; }

constexpr OrviaSkinMethods kMethods = {
    Destroy,
    Copy,
    SetImageFromBytes,
    SetImageFromFile,
    ApplyImage,
    SampleImageColor,
    SetSkinColor,
    AttachSkin,
    SkinAllChildControls,
    RedrawAllFrames,
    SetStatusText,
    AddPage,
    SelectPage,
    RemovePage,
    AddFrameItem,
    SetHelpClickRoutine,
    SetMainMenuClickRoutine,
    SetSizable,
    SetBackColor,
    GetBackColor,
};

}  // namespace

const OrviaSkinMethods& DefaultSkinMethods() { return kMethods; }

OrviaSkin* NewOrviaSkin() { return new OrviaSkin{&kMethods}; }

void FreeOrviaSkin(OrviaSkin* skin) {
    if (!skin) return;
    skin->methods->Destroy(skin);
    delete skin;
}

}  // namespace orvia
