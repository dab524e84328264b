#pragma once
// Main window of the converter. For now a plain top-level window with the
// application's caption; the queue, catalogue and player arrive with the
// class library and the media engine.
//
// Threads: created, used and destroyed on the UI thread only.

#include <windows.h>

#include <string>

class TForm1 {
public:
    TForm1();
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    HWND Handle() const { return FHandle; }
    void Show(int showCmd);

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    void Paint();

    HWND FHandle = nullptr;
    HFONT FFont = nullptr;
};

extern TForm1* Form1;
