// The data model of skinned frames: one record per skinned window, one item
// per caption button, page tab or status-text area.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_types.h"

namespace orvia {

enum ItemKind : std::int32_t {
    kItemStatus = 0,
    kItemCaptionButton = 1,
    kItemPageTab = 2,
};

enum CaptionButtonId : std::int32_t {
    kButtonClose = 1,
    kButtonRestore = 2,
    kButtonMaximize = 3,
    kButtonMinimize = 4,
    kButtonMainMenu = 5,
    kButtonList = 6,  // has an image cell but is never created by attaching
    kButtonHelp = 7,
};

struct FrameItem {
    std::int32_t nLeft = 0;
    std::int32_t nTop = 0;
    std::int32_t nWidth = 0;
    std::int32_t nHeight = 0;
    std::int32_t nKind = kItemStatus;
    std::int32_t nId = 0;
    std::int32_t nIndex = 0;      // position at which it was added, 1-based; never renumbered
    std::string sText;            // code page 936
    HICON hIcon = nullptr;
    RECT rcBounds{};
    std::int32_t bHover = 0;
    std::int32_t bPressed = 0;
    std::int32_t bSelected = 0;
    std::int32_t bVisible = 0;
    HWND hPage = nullptr;
    OrviaRoutine pfnOnClick = nullptr;
    std::int32_t bOwnsIcon = 0;  // 1 when the skin made hIcon and destroys it with the item
};

struct FrameRecord {
    HWND hWnd = nullptr;
    std::int32_t nItemCount = 0;
    std::int32_t nHotItem = -1;
    std::int32_t nPressedItem = -1;
    std::int32_t nNextTabLeft = 5;
    std::int32_t nPageCount = 0;
    std::int32_t nStatusItem = 0;
    std::vector<FrameItem> Items;  // Items[i] has nIndex-ordered position i + 1
};

}  // namespace orvia
