#include "app/Unit1.h"

#include "app/Project1.h"

TForm1* Form1 = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TForm1";

void RegisterFormClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

TForm1::TForm1() {
    RegisterFormClass();
    FHandle = CreateWindowExW(0, kClassName, ApplicationTitle(), WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!FHandle) return;
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc));
    FFont = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH, L"宋体");
}

TForm1::~TForm1() {
    if (FHandle) {
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
    if (FFont) DeleteObject(FFont);
}

void TForm1::Show(int showCmd) {
    ShowWindow(FHandle, showCmd);
    UpdateWindow(FHandle);
}

LRESULT CALLBACK TForm1::StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(wnd, msg, wp, lp);
    try {
        return self->WndProc(msg, wp, lp);
    } catch (...) {
        return DefWindowProcW(wnd, msg, wp, lp);
    }
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        // The main window's end ends the message loop.
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(FHandle, msg, wp, lp);
    }
}

void TForm1::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    HGDIOBJ old = SelectObject(dc, FFont);
    SetBkMode(dc, TRANSPARENT);
    static const wchar_t kText[] = L"添加文件，选择输出格式，然后开始转换。";
    TextOutW(dc, 24, 24, kText, static_cast<int>(wcslen(kText)));
    SelectObject(dc, old);
    EndPaint(FHandle, &ps);
}
