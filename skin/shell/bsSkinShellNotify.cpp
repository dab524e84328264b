#include "skin/shell/bsSkinShellNotify.h"

#include <mutex>

#include "platform/Forms.h"

namespace {

constexpr UINT WM_SHELLCHANGE = WM_APP + 0x3A1;

}  // namespace

DWORD NotifyFiltersToFlags(TNotifyFilters filters) {
    DWORD flags = 0;
    if (filters & nfFileNameChange) flags |= FILE_NOTIFY_CHANGE_FILE_NAME;
    if (filters & nfDirNameChange) flags |= FILE_NOTIFY_CHANGE_DIR_NAME;
    if (filters & nfAttributeChange) flags |= FILE_NOTIFY_CHANGE_ATTRIBUTES;
    if (filters & nfSizeChange) flags |= FILE_NOTIFY_CHANGE_SIZE;
    if (filters & nfWriteChange) flags |= FILE_NOTIFY_CHANGE_LAST_WRITE;
    if (filters & nfSecurityChange) flags |= FILE_NOTIFY_CHANGE_SECURITY;
    return flags;
}

// ---- thread ----------------------------------------------------------------------------

TbsShellChangeThread::TbsShellChangeThread(HWND target, UINT message)
    : target_(target),
      message_(message),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      optionsChanged_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

TbsShellChangeThread::~TbsShellChangeThread() {
    if (stop_) SetEvent(stop_.Get());
    if (thread_.joinable()) thread_.join();
}

void TbsShellChangeThread::SetDirectoryOptions(const String& directory, bool watchSubTree, DWORD flags) {
    {
        std::lock_guard<std::mutex> lock(ShellNotifyLock());
        FDirectory = directory;
        FWatchSubTree = watchSubTree;
        FNotifyOptionFlags = flags;
        FWaitChanged = true;
    }
    if (optionsChanged_) SetEvent(optionsChanged_.Get());
}

void TbsShellChangeThread::Start() {
    if (thread_.joinable() || !stop_ || !optionsChanged_) return;
    watching_ = true;
    thread_ = std::thread([this] { Execute(); });
}

// Opens the notification with the stored options; false when it cannot be.
bool TbsShellChangeThread::Reopen(platform::KernelHandle& wait) {
    String dir;
    bool sub;
    DWORD flags;
    {
        std::lock_guard<std::mutex> lock(ShellNotifyLock());
        dir = FDirectory;
        sub = FWatchSubTree;
        flags = FNotifyOptionFlags;
        FWaitChanged = false;
    }
    wait.Reset();
    HANDLE h = FindFirstChangeNotificationW(dir.c_str(), sub, flags);
    if (h == INVALID_HANDLE_VALUE) return false;
    wait.Reset(h);
    return true;
}

namespace {

// FindCloseChangeNotification for a change handle.
class ChangeHandle {
public:
    explicit ChangeHandle(platform::KernelHandle& h) : h_(h) {}
    ~ChangeHandle() {
        if (h_) FindCloseChangeNotification(h_.Release());
    }
    ChangeHandle(const ChangeHandle&) = delete;
    ChangeHandle& operator=(const ChangeHandle&) = delete;

private:
    platform::KernelHandle& h_;
};

}  // namespace

void TbsShellChangeThread::Execute() {
    platform::KernelHandle wait;
    ChangeHandle closer(wait);
    // A change handle is closed with FindCloseChangeNotification, never
    // CloseHandle: reopening closes the old one first.
    auto reopen = [&] {
        if (wait) FindCloseChangeNotification(wait.Release());
        return Reopen(wait);
    };
    if (!reopen()) {
        watching_ = false;
        return;
    }
    for (;;) {
        const HANDLE handles[3] = {stop_.Get(), optionsChanged_.Get(), wait.Get()};
        const DWORD r = WaitForMultipleObjects(3, handles, FALSE, INFINITE);
        if (r == WAIT_OBJECT_0) break;  // stop comes first, also with a change
        if (r == WAIT_OBJECT_0 + 1) {
            if (!reopen()) break;
            continue;
        }
        if (r != WAIT_OBJECT_0 + 2) break;  // the wait failed
        if (!pending_.exchange(true) && !PostMessageW(target_, message_, 0, 0)) pending_ = false;
        if (!FindNextChangeNotification(wait.Get())) break;
        bool changed;
        {
            std::lock_guard<std::mutex> lock(ShellNotifyLock());
            changed = FWaitChanged;
        }
        if (changed && !reopen()) break;
    }
    watching_ = false;
}

// ---- notifier --------------------------------------------------------------------------

TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier(TComponent* owner) : TComponent(owner) {
    StartChangeThread();
}

TbsCustomShellChangeNotifier::~TbsCustomShellChangeNotifier() {
    // The thread is joined before the window goes: nothing is posted later.
    FThread.reset();
    FWindow.reset();
}

void TbsCustomShellChangeNotifier::StartChangeThread() {
    if (!FOnChange) return;
    FWindow = std::make_unique<platform::UtilWindow>([this](TMessage& m) { return Delivered(m); });
    FThread = std::make_unique<TbsShellChangeThread>(FWindow->Handle(), WM_SHELLCHANGE);
    FThread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFiltersToFlags(FFilters));
    FThread->Start();
}

bool TbsCustomShellChangeNotifier::Delivered(TMessage& m) {
    if (m.Msg != WM_SHELLCHANGE) return false;
    if (FThread) FThread->ChangeTaken();
    try {
        if (FOnChange) FOnChange();
    } catch (...) {
        if (Application) Application->HandleException();
    }
    m.Result = 0;
    return true;
}

void TbsCustomShellChangeNotifier::SetOnChange(std::function<void()> v) {
    FOnChange = std::move(v);
    if (!FThread) StartChangeThread();
}

void TbsCustomShellChangeNotifier::SetRoot(const TRoot& v) {
    if (SameText(v, FRoot)) return;
    FRoot = v;
    ApplyChangeOptions();
}

void TbsCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters v) {
    FFilters = v;
    ApplyChangeOptions();
}

void TbsCustomShellChangeNotifier::SetWatchSubTree(bool v) {
    FWatchSubTree = v;
    ApplyChangeOptions();
}

void TbsCustomShellChangeNotifier::ApplyChangeOptions() {
    if (FThread) FThread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFiltersToFlags(FFilters));
}
