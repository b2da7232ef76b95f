// The implementations behind the skin object's method table, one group per
// subsystem; orvia_skin.cpp puts them into the table in slot order.  Each is
// defined in its own subsystem's folder.
#pragma once

#include "skin/object/orvia_skin.h"

namespace orvia::slots {

// The object through which a slot reaches other slots: `self`, or an object
// with this build's table when `self` is null, so that a slot called without
// an object acts as it does on one with the default table.
OrviaSkin* CallTarget(OrviaSkin* self);

// skin/image
bool SetImageFromBytes(OrviaSkin* self, ByteSpan bytes);
bool SetImageFromFile(OrviaSkin* self, const char* fileName);
void ApplyImage(OrviaSkin* self);
COLORREF SampleImageColor(OrviaSkin* self, gdip::GpImage* image);
bool SetSkinColor(OrviaSkin* self, COLORREF color);

// skin/frame
bool AttachSkin(OrviaSkin* self, HWND window, std::optional<std::int32_t> bannerHeight,
                std::optional<std::int32_t> statusHeight, std::optional<bool> minimizeBox,
                std::optional<bool> maximizeBox, std::optional<bool> helpButton, std::optional<bool> mainMenuButton,
                std::optional<bool> sizable, std::optional<std::int32_t> minWidth,
                std::optional<std::int32_t> minHeight);
bool SetSizable(OrviaSkin* self, HWND window, std::optional<std::int32_t> minWidth,
                std::optional<std::int32_t> minHeight);
std::int32_t AddFrameItem(OrviaSkin* self, FrameRecord& record, std::int32_t kind, std::int32_t id,
                          std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                          const char* text, std::optional<HICON> icon);

// skin/controls
void SkinAllChildControls(OrviaSkin* self);

// skin/render
void RedrawAllFrames(OrviaSkin* self);

// skin/interaction
void SetStatusText(OrviaSkin* self, HWND window, const char* text);
std::int32_t AddPage(OrviaSkin* self, HWND window, const char* title, ByteSpan iconBytes, std::optional<HWND> page,
                     std::optional<OrviaRoutine> onClick);
std::int32_t SelectPage(OrviaSkin* self, HWND window, const char* title);
std::int32_t RemovePage(OrviaSkin* self, HWND window, const char* title);

}  // namespace orvia::slots
