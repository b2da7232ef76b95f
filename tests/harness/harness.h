// Fixtures shared by the Windows tests: real windows, a message pump, pixels
// read back from device contexts, and recorded messages compared with a
// table of expected ones.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace harness {

// Handles every message queued for this thread (including posted and sent
// ones) until the queue is empty.  Returns how many were dispatched.
int PumpMessages();
// Keeps pumping for `milliseconds`, for timers and delayed work.
void PumpFor(DWORD milliseconds);

// A registered window class whose procedure is `proc` (DefWindowProcW when null).
// Registering the same name twice returns the existing class.
const wchar_t* TestWindowClass(const wchar_t* name = L"HarnessWindow", WNDPROC proc = nullptr);

// A real window destroyed when the object goes away (unless it already is).
class TestWindow {
public:
    struct Options {
        int x = 100, y = 100, width = 400, height = 300;
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        const wchar_t* className = nullptr;  // TestWindowClass() when null
        const wchar_t* text = L"Harness";
        bool show = true;
        INT_PTR id = 0;  // control id for child windows
    };
    TestWindow();
    explicit TestWindow(const Options& options);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return window_; }
    operator HWND() const { return window_; }
    // Destroys now; the destructor then does nothing.
    void Destroy();

private:
    HWND window_ = nullptr;
};

// A 32-bit top-down snapshot of a rectangle of a device context.
class Pixels {
public:
    // Copies (x, y, width, height) of `dc` with BitBlt.
    static Pixels FromDC(HDC dc, int x, int y, int width, int height);
    // The client area of a window as it is on screen.
    static Pixels FromWindow(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    // 0x00BBGGRR, like GetPixel; out-of-range reads give CLR_INVALID.
    COLORREF At(int x, int y) const;
    // True when every pixel of (x, y, w, h) is `color`.
    bool AllEqual(int x, int y, int w, int h, COLORREF color) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> bgra_;
};

// Channel-wise distance between two colours, for comparisons with a tolerance.
int ColorDistance(COLORREF a, COLORREF b);

struct RecordedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// An expected message: wParam and lParam are compared only when given.
struct ExpectedMessage {
    UINT message;
    std::optional<WPARAM> wParam = std::nullopt;
    std::optional<LPARAM> lParam = std::nullopt;
};

// Subclasses a window (wide functions, so the window stays Unicode), records
// every message it receives and passes each on unchanged.  Restores the
// previous procedure when it goes away, if the window still exists and the
// recorder's procedure is still the installed one.
class MessageRecorder {
public:
    explicit MessageRecorder(HWND window);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<RecordedMessage>& messages() const { return messages_; }
    // The recorded messages whose id is in `ids`, in order.
    std::vector<RecordedMessage> Only(std::initializer_list<UINT> ids) const;
    void Clear() { messages_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_;
    WNDPROC previous_ = nullptr;
    std::vector<RecordedMessage> messages_;
};

// Empty when `actual` matches `expected` entry by entry; otherwise a
// readable description of the first difference (for EXPECT_EQ(..., "")).
std::string CompareMessages(const std::vector<RecordedMessage>& actual,
                            const std::vector<ExpectedMessage>& expected);

// Name of a message id for failure output ("WM_PAINT" or "0x1234").
std::string MessageName(UINT message);

}  // namespace harness
