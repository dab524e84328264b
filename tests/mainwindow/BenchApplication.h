#pragma once
// The start every main-window benchmark makes: the application set up on
// this thread (the UI thread) and the media libraries loaded. Called from
// main once, after its TApplication is made.
#include <cstdio>
#include <string>

#include "platform/Forms.h"
#include "platform/MainThread.h"
#include "tools/testmedia/TestMedia.h"

namespace mainwindowbench {

// False, said on standard output, when the libraries cannot be loaded.
inline bool StartApplication() {
    Application->Initialize();
    platform::InitMainThread();
    const std::string error = testmedia::LoadTranscoderLibraries();
    if (error.empty()) return true;
    std::printf("cannot load the libraries: %s\n", error.c_str());
    return false;
}

}  // namespace mainwindowbench
