// A frame's pages (a tab in the caption band plus an adopted page window)
// and its status text.
#include "skin/controls/child_controls.h"
#include "skin/frame/registry.h"
#include "skin/interaction/interaction.h"
#include "skin/interaction/item_logic.h"
#include "skin/object/slots.h"
#include "skin/render/gdi_scoped.h"
#include "skin/render/render.h"
#include "skin/theme/ico_parse.h"
#include "skin/theme/theme.h"

namespace orvia {

namespace {

struct TabIcon {
    HICON icon = nullptr;
    bool ownedBySkin = false;
};

// The first image of .ico file bytes as an icon of the system's icon size.
// IconFromIcoBytes makes shared icons, which DestroyIcon leaves alone, so a
// tab icon, which goes with its tab, is made unshared from the same entry.
HICON OwnedIconFromIcoBytes(ByteSpan bytes) {
    const std::optional<IcoImageEntry> entry = ReadIcoEntry(bytes, 0);
    if (!entry) return nullptr;
    // The system takes a non-const pointer but only reads.
    auto* data = const_cast<BYTE*>(bytes.data() + entry->offset);
    return CreateIconFromResourceEx(data, entry->size, TRUE, 0x00030000, 0, 0, LR_DEFAULTSIZE);
}

// Whether a handle that came in as four bytes names a live icon.  Any other
// value would leave the tab without one, or draw whatever the system gives
// that value to later.
bool NamesAnIcon(HICON handle) {
    ICONINFO info{};
    if (!handle || !GetIconInfo(handle, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

// A 4-byte buffer carries a handle that stays the caller's; any other buffer
// is an .ico file whose icon the skin makes and therefore destroys again.
TabIcon TabIconFromBytes(ByteSpan bytes) {
    if (bytes.size() == 4) {
        if (HICON handle = IconHandleFromBytes(bytes); NamesAnIcon(handle)) return {handle, false};
    } else if (!bytes.empty()) {
        if (HICON made = OwnedIconFromIcoBytes(bytes)) return {made, true};
    }
    return {g_theme ? g_theme->defaultPageIcon : nullptr, false};
}

// A page window must be a window other than the frame and none of the
// frame's ancestors: adopting the frame itself would make it a child window
// and hide it.  Anything else is treated like a tab without a page window.
bool UsableAsPage(HWND page, HWND frame) { return IsWindow(page) && page != frame && !IsChild(page, frame); }

// The page window becomes a borderless child of the frame, unless it is one
// already.  GetParent would report the owner of a popup, so the real parent
// decides.
void AdoptPageWindow(HWND frame, HWND page) {
    const bool child = (GetWindowLongPtrW(page, GWL_STYLE) & WS_CHILD) != 0;
    if (child && GetAncestor(page, GA_PARENT) == frame) return;
    SetParent(page, frame);
    ChangeWindowStyle(page, static_cast<LONG_PTR>(WS_POPUP), static_cast<LONG_PTR>(WS_CHILD));
    ChangeWindowStyle(page, static_cast<LONG_PTR>(WS_CAPTION), std::nullopt);
}

void RaiseBannerForTabs(HWND window) {
    if (GetIntProperty(window, prop::kBannerHeight) >= kBannerHeightForTabs) return;
    SetProperty(window, prop::kBannerHeight, kBannerHeightForTabs);
    RenderFrame(window, true);
    if (GetIntProperty(window, prop::kMinimize) == 0) InvalidateRect(window, nullptr, FALSE);
    PlacePageWindow(window);
}

std::int32_t AddTabItem(OrviaSkin* self, FrameRecord& record, const char* title, HICON icon) {
    if (self && self->methods && self->methods->AddFrameItem)
        return self->methods->AddFrameItem(self, record, kItemPageTab, 0, record.nNextTabLeft, kTabTop, kTabWidth,
                                           kTabHeight, title, icon);
    return AddFrameItem(record, kItemPageTab, 0, record.nNextTabLeft, kTabTop, kTabWidth, kTabHeight, title, icon);
}

void DestroyOwnedIcon(const FrameItem& item) {
    if (item.bOwnsIcon && item.hIcon) DestroyIcon(item.hIcon);
}

}  // namespace

void PlacePageWindow(HWND window) {
    const HWND page = reinterpret_cast<HWND>(GetProperty(window, prop::kChildWindow));
    if (!UsableAsPage(page, window)) return;
    RECT rc{};
    GetWindowRect(window, &rc);
    const PageArea area = PageAreaOf(rc.right - rc.left, rc.bottom - rc.top, GetIntProperty(window, prop::kBannerHeight),
                                     GetIntProperty(window, prop::kStatusHeight));
    MoveWindow(page, area.x, area.y, area.width, area.height, TRUE);
}

void ShowPage(HWND window, std::int32_t index) {
    FrameRecord* record = FindFrame(window);
    if (!record) return;
    // Hiding runs the page windows' own code, so the handles are taken first.
    const FrameItem* chosen = ItemAt(*record, index);
    const HWND page = chosen ? chosen->hPage : nullptr;
    std::vector<HWND> others;
    for (std::int32_t i = 1; i <= record->nItemCount; ++i) {
        const FrameItem* item = ItemAt(*record, i);
        if (!item) break;
        // A page window that could not be adopted (the frame itself or one of
        // its ancestors) is not the frame's to hide either.
        if (i != index && item->nKind == kItemPageTab && UsableAsPage(item->hPage, window))
            others.push_back(item->hPage);
    }
    for (HWND other : others) ShowWindow(other, SW_HIDE);
    SetProperty(window, prop::kChildWindow, reinterpret_cast<LONG_PTR>(page));
    if (!UsableAsPage(page, window)) return;
    AdoptPageWindow(window, page);
    PlacePageWindow(window);
    ShowWindow(page, SW_SHOW);
}

void RelayoutTabs(HWND window) {
    FrameRecord* record = FindFrame(window);
    if (!record) return;
    LayOutTabs(*record);
    const HDC cache = reinterpret_cast<HDC>(GetProperty(window, prop::kCacheDC));
    const HDC back = reinterpret_cast<HDC>(GetProperty(window, prop::kBackDC));
    if (!cache || !back) return;
    const std::int32_t width = GetIntProperty(window, prop::kWidth);
    BitBlt(cache, 0, kTabTop, width, kTabHeight, back, 0, kTabTop, SRCCOPY);
    {
        ScopedGraphics graphics(cache);
        for (const FrameItem& item : record->Items)
            if (item.nKind == kItemPageTab && item.bVisible) DrawFrameItem(item, cache, graphics.get());
    }
    ScopedWindowDC screen(window);
    BitBlt(screen.get(), 0, kTabTop, width, kTabHeight, cache, 0, kTabTop, SRCCOPY);
}

namespace slots {

void SetStatusText(OrviaSkin*, HWND window, const char* text) {
    FrameRecord* record = FindFrame(window);
    FrameItem* item = record ? ItemAt(*record, record->nStatusItem) : nullptr;
    if (!item) return;
    item->sText = text ? text : "";
    g_itemRefresher(window, record->nStatusItem);
}

std::int32_t AddPage(OrviaSkin* self, HWND window, const char* title, ByteSpan iconBytes, std::optional<HWND> page,
                     std::optional<OrviaRoutine> onClick) {
    if (!FindFrame(window)) return 0;
    RaiseBannerForTabs(window);
    // Placing the page window above ran its code, which may have changed the frame.
    FrameRecord* record = FindFrame(window);
    if (!record) return 0;

    const TabIcon icon = TabIconFromBytes(iconBytes);
    const std::int32_t index = AddTabItem(self, *record, title, icon.icon);
    FrameItem* tab = ItemAt(*record, index);
    if (!tab) {
        if (icon.ownedBySkin) DestroyIcon(icon.icon);
        return 0;
    }
    record->nNextTabLeft += kTabStep;
    record->nPageCount += 1;
    tab->hPage = page.value_or(nullptr);
    tab->pfnOnClick = onClick.value_or(nullptr);
    tab->bOwnsIcon = icon.ownedBySkin ? 1 : 0;
    if (record->nPageCount == 1) tab->bSelected = 1;
    const HWND pageWindow = tab->hPage;
    g_itemRefresher(window, index);

    if (!UsableAsPage(pageWindow, window)) return 1;
    AdoptPageWindow(window, pageWindow);
    // Even the first, selected page stays hidden until it is selected or clicked.
    ShowWindow(pageWindow, SW_HIDE);
    SkinChildControls(pageWindow);
    return 1;
}

std::int32_t SelectPage(OrviaSkin*, HWND window, const char* title) {
    if (!FindFrame(window)) return 0;
    bool found = false;
    // ShowPage runs page windows' code between the steps, so the record is
    // looked up afresh for every tab.
    for (std::int32_t i = 1;; ++i) {
        FrameRecord* record = FindFrame(window);
        if (!record) return found ? 1 : 0;
        i = FindTabByTitle(*record, title, i);
        if (i == -1) break;
        FrameItem& tab = record->Items[static_cast<std::size_t>(i - 1)];
        if (!tab.bSelected) {
            tab.bSelected = 1;
            g_itemRefresher(window, i);
        }
        ShowPage(window, i);
        found = true;
    }
    if (!found) return 0;
    FrameRecord* record = FindFrame(window);
    if (!record) return 1;
    const std::string wanted = title ? title : "";
    for (std::int32_t i = 1; i <= record->nItemCount; ++i) {
        FrameItem* item = ItemAt(*record, i);
        if (!item) break;
        if (item->nKind == kItemPageTab && item->sText != wanted && item->bSelected) {
            item->bSelected = 0;
            g_itemRefresher(window, i);
        }
    }
    return 1;
}

std::int32_t RemovePage(OrviaSkin*, HWND window, const char* title) {
    FrameRecord* record = FindFrame(window);
    if (!record) return 0;
    const std::int32_t index = FindTabByTitle(*record, title);
    if (index == -1) return 0;

    // The hot and pressed indexes would name a moved or missing item after
    // the removal.  Their looks are cleared first; tabs are redrawn with the
    // strip below, other items at once (they never move).
    ForgetHotAndPressed(*record, [&](std::int32_t stale) {
        const FrameItem* item = ItemAt(*record, stale);
        if (item && item->nKind != kItemPageTab) g_itemRefresher(window, stale);
    });

    const FrameItem removed = record->Items[static_cast<std::size_t>(index - 1)];
    record->Items.erase(record->Items.begin() + (index - 1));
    record->nItemCount = static_cast<std::int32_t>(record->Items.size());
    DestroyOwnedIcon(removed);
    RelayoutTabs(window);
    return 1;
}

}  // namespace slots
}  // namespace orvia
