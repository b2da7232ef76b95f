#include "tests/harness/harness.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <map>
#include <sstream>

namespace harness {

int PumpMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    PumpMessages();
}

const wchar_t* TestWindowClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &wc)) return name;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc ? proc : DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
    return name;
}

TestWindow::TestWindow() : TestWindow(Options{}) {}

TestWindow::TestWindow(const Options& o) {
    const wchar_t* cls = o.className ? o.className : TestWindowClass();
    window_ = CreateWindowExW(o.exStyle, cls, o.text, o.style, o.x, o.y, o.width, o.height, o.parent,
                              reinterpret_cast<HMENU>(o.id), GetModuleHandleW(nullptr), nullptr);
    if (window_ && o.show && !(o.style & WS_CHILD)) {
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
    }
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
}

Pixels Pixels::FromDC(HDC dc, int x, int y, int width, int height) {
    Pixels p;
    if (width <= 0 || height <= 0) return p;
    p.width_ = width;
    p.height_ = height;
    p.bgra_.assign(static_cast<std::size_t>(width) * height, 0);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    std::memcpy(p.bgra_.data(), bits, p.bgra_.size() * 4);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
    return p;
}

Pixels Pixels::FromWindow(HWND window) {
    RECT rc{};
    GetClientRect(window, &rc);
    HDC dc = GetDC(window);
    Pixels p = FromDC(dc, 0, 0, rc.right, rc.bottom);
    ReleaseDC(window, dc);
    return p;
}

COLORREF Pixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const std::uint32_t v = bgra_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool Pixels::AllEqual(int x, int y, int w, int h, COLORREF color) const {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (At(i, j) != color) return false;
    return true;
}

int ColorDistance(COLORREF a, COLORREF b) {
    const int dr = std::abs(static_cast<int>(GetRValue(a)) - GetRValue(b));
    const int dg = std::abs(static_cast<int>(GetGValue(a)) - GetGValue(b));
    const int db = std::abs(static_cast<int>(GetBValue(a)) - GetBValue(b));
    return std::max(dr, std::max(dg, db));
}

namespace {

std::map<HWND, MessageRecorder*>& Recorders() {
    static std::map<HWND, MessageRecorder*> recorders;
    return recorders;
}

}  // namespace

MessageRecorder::MessageRecorder(HWND window) : window_(window) {
    Recorders()[window] = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageRecorder::Proc)));
}

MessageRecorder::~MessageRecorder() {
    if (IsWindow(window_) &&
        GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&MessageRecorder::Proc))
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    Recorders().erase(window_);
}

LRESULT CALLBACK MessageRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = Recorders().find(window);
    if (it == Recorders().end()) return DefWindowProcW(window, message, wParam, lParam);
    MessageRecorder* self = it->second;
    self->messages_.push_back({window, message, wParam, lParam});
    return CallWindowProcW(self->previous_, window, message, wParam, lParam);
}

std::vector<RecordedMessage> MessageRecorder::Only(std::initializer_list<UINT> ids) const {
    std::vector<RecordedMessage> out;
    for (const RecordedMessage& m : messages_)
        for (UINT id : ids)
            if (m.message == id) {
                out.push_back(m);
                break;
            }
    return out;
}

std::string MessageName(UINT message) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},           {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},               {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},       {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},     {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},             {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SETCURSOR, "WM_SETCURSOR"},     {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_DRAWITEM, "WM_DRAWITEM"},       {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},     {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},     {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},   {WM_TIMER, "WM_TIMER"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},   {WM_COMMAND, "WM_COMMAND"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},     {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},     {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"},   {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    };
    auto it = names.find(message);
    if (it != names.end()) return it->second;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

std::string CompareMessages(const std::vector<RecordedMessage>& actual,
                            const std::vector<ExpectedMessage>& expected) {
    std::ostringstream out;
    const std::size_t n = std::max(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= actual.size()) {
            out << "message " << i << ": expected " << MessageName(expected[i].message) << ", got nothing more";
            return out.str();
        }
        if (i >= expected.size()) {
            out << "message " << i << ": unexpected " << MessageName(actual[i].message);
            return out.str();
        }
        const RecordedMessage& a = actual[i];
        const ExpectedMessage& e = expected[i];
        if (a.message != e.message || (e.wParam && *e.wParam != a.wParam) ||
            (e.lParam && *e.lParam != a.lParam)) {
            out << "message " << i << ": expected " << MessageName(e.message);
            if (e.wParam) out << " wParam=" << *e.wParam;
            if (e.lParam) out << " lParam=" << *e.lParam;
            out << ", got " << MessageName(a.message) << " wParam=" << a.wParam << " lParam=" << a.lParam;
            return out.str();
        }
    }
    return "";
}

}  // namespace harness
