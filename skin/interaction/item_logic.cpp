#include "skin/interaction/item_logic.h"

#include <algorithm>
#include <cstring>

namespace orvia {

FrameItem* ItemAt(FrameRecord& record, std::int32_t index) {
    if (index < 1 || index > record.nItemCount || static_cast<std::size_t>(index) > record.Items.size())
        return nullptr;
    return &record.Items[static_cast<std::size_t>(index - 1)];
}

const FrameItem* ItemAt(const FrameRecord& record, std::int32_t index) {
    return ItemAt(const_cast<FrameRecord&>(record), index);
}

POINT MousePoint(LPARAM lParam) {
    const auto value = static_cast<std::uint32_t>(lParam);
    return POINT{static_cast<LONG>(value & 0xFFFF), static_cast<LONG>(static_cast<std::int32_t>(value) >> 16)};
}

std::int32_t HitTestItems(const FrameRecord& record, std::int32_t x, std::int32_t y) {
    const POINT point{x, y};
    for (std::int32_t i = 1; i <= record.nItemCount; ++i) {
        const FrameItem* item = ItemAt(record, i);
        if (!item) break;
        if (!item->bVisible || !PtInRect(&item->rcBounds, point)) continue;
        return item->nKind == kItemStatus ? -1 : i;
    }
    return -1;
}

namespace {

// The shared shape of "set hot" and "set pressed": the old item loses the
// flag and is redrawn, then the new one gains it and is redrawn.
void MoveFlag(FrameRecord& record, std::int32_t& current, std::int32_t FrameItem::*flag, std::int32_t index,
              const ItemRedraw& redraw) {
    if (current != -1) {
        if (FrameItem* old = ItemAt(record, current)) old->*flag = 0;
        redraw(current);
    }
    current = index;
    if (index != -1) {
        if (FrameItem* item = ItemAt(record, index)) item->*flag = 1;
        redraw(index);
    }
}

}  // namespace

void SetHotItem(FrameRecord& record, std::int32_t index, const ItemRedraw& redraw) {
    MoveFlag(record, record.nHotItem, &FrameItem::bHover, index, redraw);
}

void SetPressedItem(FrameRecord& record, std::int32_t index, const ItemRedraw& redraw) {
    MoveFlag(record, record.nPressedItem, &FrameItem::bPressed, index, redraw);
}

std::int32_t ApplyMouseTransition(FrameRecord& record, UINT message, std::int32_t hit, const ItemRedraw& redraw) {
    switch (message) {
    case WM_MOUSEMOVE:
        // While a button is held on an item nothing else lights up.
        if (hit != record.nHotItem && record.nPressedItem == -1) SetHotItem(record, hit, redraw);
        return -1;
    case WM_LBUTTONDOWN:
        if (hit != record.nPressedItem) SetPressedItem(record, hit, redraw);
        return -1;
    case WM_LBUTTONUP: {
        const std::int32_t pressed = record.nPressedItem;
        if (pressed == -1) return -1;
        FrameItem* item = ItemAt(record, pressed);
        if (item) item->bPressed = 0;
        redraw(pressed);
        // A selected tab is already showing its page: releasing on it is no click.
        const bool click = hit == pressed && item && !item->bSelected;
        record.nPressedItem = -1;
        if (hit != record.nHotItem) SetHotItem(record, hit, redraw);
        return click ? pressed : -1;
    }
    default:
        return -1;
    }
}

void ApplyLeave(FrameRecord& record, const ItemRedraw& redraw) {
    const std::int32_t pressed = record.nPressedItem;
    const std::int32_t hot = record.nHotItem;
    if (pressed != -1) {
        if (FrameItem* item = ItemAt(record, pressed)) {
            item->bPressed = 0;
            if (pressed == hot) item->bHover = 0;
        }
        redraw(pressed);
        // A different hot item would otherwise stay drawn hot with nothing
        // left to clear it.
        if (hot != -1 && hot != pressed) {
            if (FrameItem* item = ItemAt(record, hot)) item->bHover = 0;
            redraw(hot);
        }
        record.nHotItem = -1;
    } else if (hot != -1) {
        if (FrameItem* item = ItemAt(record, hot)) item->bHover = 0;
        redraw(hot);
        record.nHotItem = -1;
    }
}

void ForgetHotAndPressed(FrameRecord& record, const ItemRedraw& redraw) {
    const std::int32_t hot = record.nHotItem;
    const std::int32_t pressed = record.nPressedItem;
    record.nHotItem = -1;
    record.nPressedItem = -1;
    FrameItem* hotItem = ItemAt(record, hot);
    FrameItem* pressedItem = ItemAt(record, pressed);
    if (hotItem) hotItem->bHover = 0;
    if (pressedItem) pressedItem->bPressed = 0;
    if (hotItem) redraw(hot);
    if (pressedItem && pressed != hot) redraw(pressed);
}

bool InCaptionOrStatusBand(std::int32_t y, std::int32_t windowHeight, std::int32_t bannerHeight,
                           std::int32_t statusHeight) {
    // In 64 bits: a status height near the 32-bit limit must not wrap the
    // band's top edge round to the other end of the range.
    return y < bannerHeight || y > static_cast<std::int64_t>(windowHeight) - statusHeight;
}

bool PressDragsWindow(bool hitItem, bool inBand, LONG_PTR maximizedProperty) {
    return !hitItem && inBand && maximizedProperty == 0;
}

WPARAM DoubleClickCommand(LONG_PTR maximizeBoxProperty, bool hitItem, bool inBand, bool zoomed) {
    if (maximizeBoxProperty != 1 || hitItem || !inBand) return 0;
    return zoomed ? SC_RESTORE : SC_MAXIMIZE;
}

void LayOutTabs(FrameRecord& record) {
    record.nNextTabLeft = kTabFirstLeft;
    for (std::int32_t i = 1; i <= record.nItemCount; ++i) {
        FrameItem* item = ItemAt(record, i);
        if (!item) break;
        if (item->nKind != kItemPageTab || !item->bVisible) continue;
        item->nLeft = record.nNextTabLeft;
        record.nNextTabLeft += kTabStep;
        item->rcBounds = {item->nLeft, item->nTop, item->nLeft + item->nWidth, item->nTop + item->nHeight};
    }
}

PageArea PageAreaOf(std::int32_t width, std::int32_t height, std::int32_t bannerHeight, std::int32_t statusHeight) {
    // In 64 bits, so that band heights near the 32-bit limits cannot wrap.
    const std::int64_t status = std::max<std::int32_t>(statusHeight, 0);
    const std::int64_t top = static_cast<std::int64_t>(bannerHeight) + 1;
    const std::int64_t room = static_cast<std::int64_t>(height) - top - status - 3;
    return PageArea{3, static_cast<std::int32_t>(std::min<std::int64_t>(top, INT32_MAX)),
                    std::max<std::int32_t>(width - 6, 0),
                    static_cast<std::int32_t>(std::clamp<std::int64_t>(room, 0, INT32_MAX))};
}

HICON IconHandleFromBytes(ByteSpan bytes) {
    if (bytes.size() != 4) return nullptr;
    const std::uint32_t raw = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                              static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    const auto value = static_cast<std::intptr_t>(static_cast<std::int32_t>(raw));
    return reinterpret_cast<HICON>(value);
}

TabIdentity IdentityOf(const FrameItem& tab) {
    return TabIdentity{tab.nIndex, tab.sText, tab.hIcon, tab.hPage, tab.pfnOnClick};
}

std::int32_t FindTab(const FrameRecord& record, const TabIdentity& identity) {
    for (std::int32_t i = 1; i <= record.nItemCount; ++i) {
        const FrameItem* item = ItemAt(record, i);
        if (!item) break;
        if (item->nKind == kItemPageTab && item->nIndex == identity.nIndex && item->sText == identity.sText &&
            item->hIcon == identity.hIcon && item->hPage == identity.hPage &&
            item->pfnOnClick == identity.pfnOnClick)
            return i;
    }
    return -1;
}

std::int32_t FindTabByTitle(const FrameRecord& record, const char* title, std::int32_t from) {
    const char* wanted = title ? title : "";
    for (std::int32_t i = std::max<std::int32_t>(from, 1); i <= record.nItemCount; ++i) {
        const FrameItem* item = ItemAt(record, i);
        if (!item) break;
        if (item->nKind == kItemPageTab && item->sText == wanted) return i;
    }
    return -1;
}

}  // namespace orvia
