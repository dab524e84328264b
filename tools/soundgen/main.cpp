// Writes the program's end-of-batch sound:
//   soundgen <output folder>
// writes ring001.wav into the folder (created when missing).
#include <windows.h>

#include <cstdio>
#include <string>

#include "RingTone.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: soundgen <output folder>\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[1];
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring name = folder + L"\\ring001.wav";
    FILE* f = _wfopen(name.c_str(), L"wb");
    if (!f) {
        std::fputs("soundgen: cannot create ring001.wav\n", stderr);
        return 1;
    }
    const std::string bytes = soundgen::RingWav();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::fputs("soundgen: cannot write ring001.wav\n", stderr);
        return 1;
    }
    return 0;
}
