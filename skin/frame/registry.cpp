#include "skin/frame/registry.h"

#include <algorithm>
#include <utility>

namespace orvia {

namespace {

// An edge that would lie beyond the 32-bit range stays at its end, instead of
// wrapping round to the other side and turning the rectangle inside out.
LONG SaturatedSum(std::int32_t origin, std::int32_t extent) {
    return static_cast<LONG>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(origin) + extent, INT32_MIN, INT32_MAX));
}

}  // namespace

FrameRegistry* g_frameRegistry = nullptr;
std::int32_t g_registryCount = 0;
bool g_childControlSwitch = false;

LONG_PTR GetProperty(HWND window, const char* name) {
    return reinterpret_cast<LONG_PTR>(GetPropA(window, name));
}

void SetProperty(HWND window, const char* name, LONG_PTR value) {
    SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

void NewFrameRegistry() {
    if (!g_frameRegistry) g_frameRegistry = new FrameRegistry;
    RefreshRegistryCount();
}

void FreeFrameRegistry() {
    delete g_frameRegistry;
    g_frameRegistry = nullptr;
    RefreshRegistryCount();
}

void RefreshRegistryCount() {
    g_registryCount = g_frameRegistry ? static_cast<std::int32_t>(g_frameRegistry->records.size()) : 0;
}

FrameRecord* FindFrame(HWND window) {
    if (!window || !g_frameRegistry) return nullptr;
    const std::int32_t index = GetIntProperty(window, prop::kDuiIndex);
    if (index < 1 || index > g_registryCount) return nullptr;
    FrameRecord* record = g_frameRegistry->records[static_cast<std::size_t>(index - 1)].get();
    // A window that left the registry without being destroyed keeps its old
    // index, which by now may name another frame's place.
    return record->hWnd == window ? record : nullptr;
}

std::int32_t FindFrameByHandle(HWND window) {
    if (!g_frameRegistry) return 0;
    auto& records = g_frameRegistry->records;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i]->hWnd == window) return static_cast<std::int32_t>(i + 1);
    return 0;
}

std::int32_t AppendFrame(std::unique_ptr<FrameRecord> record) {
    if (!g_frameRegistry || !record) return 0;
    g_frameRegistry->records.push_back(std::move(record));
    RefreshRegistryCount();
    return g_registryCount;
}

bool RemoveFrame(HWND window) {
    RefreshRegistryCount();
    const std::int32_t position = FindFrameByHandle(window);
    if (position == 0) return false;
    auto& records = g_frameRegistry->records;
    // Tab icons that the skin made from bytes go with their frame; icons
    // handed in as handles stay their owners'.
    for (const FrameItem& item : records[static_cast<std::size_t>(position - 1)]->Items)
        if (item.bOwnsIcon && item.hIcon) DestroyIcon(item.hIcon);
    records.erase(records.begin() + (position - 1));
    RefreshRegistryCount();
    for (std::size_t i = 0; i < records.size(); ++i)
        SetProperty(records[i]->hWnd, prop::kDuiIndex, static_cast<LONG_PTR>(i + 1));
    return true;
}

std::int32_t AddFrameItem(FrameRecord& record, std::int32_t kind, std::int32_t id, std::int32_t left,
                          std::int32_t top, std::int32_t width, std::int32_t height, const char* text,
                          std::optional<HICON> icon) {
    FrameItem item;
    item.nLeft = left;
    item.nTop = top;
    item.nWidth = width;
    item.nHeight = height;
    item.nKind = kind;
    item.nId = id;
    item.sText = text ? text : "";
    item.hIcon = icon.value_or(nullptr);
    item.rcBounds = {left, top, SaturatedSum(left, width), SaturatedSum(top, height)};
    item.bVisible = 1;
    record.Items.push_back(std::move(item));
    record.nItemCount = static_cast<std::int32_t>(record.Items.size());
    record.Items.back().nIndex = record.nItemCount;
    return record.nItemCount;
}

bool ChangeWindowStyle(HWND window, std::optional<LONG_PTR> clearBits, std::optional<LONG_PTR> setBits) {
    const LONG_PTR old = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR style = (old & ~clearBits.value_or(0)) | setBits.value_or(0);
    if (style == old) return false;
    SetWindowLongPtrW(window, GWL_STYLE, style);
    return true;
}

void SyncMaximizeButtons(HWND window, std::optional<bool> maximized) {
    if (GetProperty(window, prop::kMaximizeBox) != 1) return;
    FrameRecord* record = FindFrame(window);
    if (!record || record->Items.size() < 3) return;
    const bool zoomed = maximized.has_value() ? *maximized : IsZoomed(window) != FALSE;
    FrameItem& maximize = record->Items[1];
    FrameItem& restore = record->Items[2];
    if (zoomed) {
        maximize.bVisible = 0;
        restore.bVisible = 1;
        SetProperty(window, prop::kMaximize, 1);
    } else {
        SetProperty(window, prop::kMaximize, 0);
        restore.bVisible = 0;
        maximize.bVisible = 1;
    }
}

void SubclassOnce(HWND window, WNDPROC procedure) {
    if (GetProperty(window, prop::kWndProc) != 0) return;
    const LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetProperty(window, prop::kWndProc, previous);
}

LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR previous = GetProperty(window, prop::kWndProc);
    if (!previous) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(reinterpret_cast<WNDPROC>(previous), window, message, wParam, lParam);
}

}  // namespace orvia
