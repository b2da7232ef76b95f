// Turning a top-level window into a skinned frame, and making one resizable.
#include <algorithm>
#include <memory>

#include "skin/controls/child_controls.h"
#include "skin/frame/frame_window.h"
#include "skin/frame/registry.h"
#include "skin/object/slots.h"
#include "skin/render/render.h"

namespace orvia::slots {

namespace {

constexpr std::int32_t kDefaultBannerHeight = 80;
constexpr std::int32_t kMinimumBannerHeight = 26;
constexpr std::int32_t kDefaultStatusHeight = 26;
constexpr std::int32_t kDefaultMinWidth = 150;
constexpr std::int32_t kDefaultMinHeight = 100;

// Stores a height property; true when the stored value changed.
bool StoreHeight(HWND window, const char* name, std::int32_t value) {
    if (GetIntProperty(window, name) == value) return false;
    SetProperty(window, name, value);
    return true;
}

// A missing system-menu entry reads as all bits set, and so as disabled.
bool SystemMaximizeEnabled(HWND window) {
    const UINT state = GetMenuState(GetSystemMenu(window, FALSE), SC_MAXIMIZE, MF_BYCOMMAND);
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void AddCaptionButton(FrameRecord& record, CaptionButtonId id) {
    const std::int32_t width = id == kButtonClose ? 40 : 27;
    orvia::AddFrameItem(record, kItemCaptionButton, id, 0, 1, width, 19, "");
}

struct FrameOptions {
    std::int32_t statusHeight;
    bool minimizeBox, maximizeBox, helpButton, mainMenuButton, sizable;
    std::int32_t minWidth, minHeight;
};

// The first attach: styles, caption buttons, status item, sizing properties
// and the registry entry.
void RegisterFrame(HWND window, const FrameOptions& o) {
    // No system caption and no system border: the skin draws both, and sizing
    // goes through the frame's own hit test.
    ChangeWindowStyle(window, WS_CAPTION | WS_THICKFRAME, WS_SYSMENU);
    ChangeWindowStyle(window, std::nullopt, WS_MINIMIZEBOX);

    auto record = std::make_unique<FrameRecord>();
    record->hWnd = window;
    AddCaptionButton(*record, kButtonClose);
    // Close, Maximize and Restore stay items 1, 2 and 3: the button swap relies on it.
    if (o.maximizeBox) {
        ChangeWindowStyle(window, std::nullopt, WS_MAXIMIZEBOX);
        SetProperty(window, prop::kMaximizeBox, 1);
        AddCaptionButton(*record, kButtonMaximize);
        AddCaptionButton(*record, kButtonRestore);
    }
    if (o.minimizeBox) AddCaptionButton(*record, kButtonMinimize);
    if (o.mainMenuButton) AddCaptionButton(*record, kButtonMainMenu);
    if (o.helpButton) AddCaptionButton(*record, kButtonHelp);
    if (o.statusHeight > 0) record->nStatusItem = orvia::AddFrameItem(*record, kItemStatus, 0, 0, 1, 27, 19, "");

    SetProperty(window, prop::kSizeBox, o.sizable ? 1 : 0);
    SetProperty(window, prop::kMinWidth, o.minWidth);
    SetProperty(window, prop::kMinHeight, o.minHeight);
    SetProperty(window, prop::kDuiIndex, AppendFrame(std::move(record)));
    SyncMaximizeButtons(window);
}

}  // namespace

bool AttachSkin(OrviaSkin*, HWND window, std::optional<std::int32_t> bannerHeight,
                std::optional<std::int32_t> statusHeight, std::optional<bool> minimizeBox,
                std::optional<bool> maximizeBox, std::optional<bool> helpButton, std::optional<bool> mainMenuButton,
                std::optional<bool> sizable, std::optional<std::int32_t> minWidth,
                std::optional<std::int32_t> minHeight) {
    if (!IsWindow(window)) return false;
    SubclassOnce(window, FrameWindowProc);

    const std::int32_t banner = std::max(bannerHeight.value_or(kDefaultBannerHeight), kMinimumBannerHeight);
    const std::int32_t status = statusHeight.value_or(kDefaultStatusHeight);
    bool geometryChanged = StoreHeight(window, prop::kBannerHeight, banner);
    geometryChanged = StoreHeight(window, prop::kStatusHeight, status) || geometryChanged;

    const bool hasMinimizeBit = (GetWindowLongPtrW(window, GWL_STYLE) & WS_MINIMIZEBOX) != 0;
    // The Maximize default reads the minimize bit, not WS_MAXIMIZEBOX; the
    // system menu's Maximize entry decides the rest.
    const FrameOptions options{
        status,
        minimizeBox.value_or(hasMinimizeBit),
        maximizeBox.has_value() ? *maximizeBox : hasMinimizeBit && SystemMaximizeEnabled(window),
        helpButton.value_or(false),
        mainMenuButton.value_or(false),
        sizable.value_or(false),
        minWidth.value_or(kDefaultMinWidth),
        minHeight.value_or(kDefaultMinHeight),
    };
    // A second attach only changes the heights.
    if (FindFrameByHandle(window) == 0) RegisterFrame(window, options);

    if (g_childControlSwitch) SkinChildControls(window);
    RenderFrame(window, geometryChanged);
    InvalidateRect(window, nullptr, TRUE);
    return true;
}

bool SetSizable(OrviaSkin*, HWND window, std::optional<std::int32_t> minWidth,
                std::optional<std::int32_t> minHeight) {
    if (!FindFrame(window)) return false;
    SetProperty(window, prop::kSizeBox, 1);
    SetProperty(window, prop::kMinWidth, minWidth.value_or(kDefaultMinWidth));
    SetProperty(window, prop::kMinHeight, minHeight.value_or(kDefaultMinHeight));
    // No frame-change notification: the hit test, not the border, does the sizing.
    ChangeWindowStyle(window, std::nullopt, WS_THICKFRAME);
    RenderFrame(window, true);
    return true;
}

}  // namespace orvia::slots
