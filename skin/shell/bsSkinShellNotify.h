#pragma once
// TbsCustomShellChangeNotifier: tells its owner on the UI thread that
// something changed in a watched folder. One change thread per notifier
// waits on a directory change notification from the first assignment of
// OnChange until the notifier is destroyed.
//
// Threads: the notifier is made, set and destroyed on the UI thread; its
// change thread only waits and posts a message to the notifier's own hidden
// window, whose handler runs OnChange on the UI thread. Changes that come
// while one is still queued are delivered as that one. Destroying the
// notifier signals the stop event and joins the thread before the window
// goes, so no change arrives afterwards. The options are guarded by
// ShellNotifyLock; it is never held while the thread waits.

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "platform/Classes.h"
#include "platform/Owners.h"
#include "platform/UtilWindow.h"
#include "skin/shell/bsSkinShellItems.h"

enum TNotifyFilter : unsigned {
    nfFileNameChange = 1, nfDirNameChange = 2, nfAttributeChange = 4, nfSizeChange = 8, nfWriteChange = 16,
    nfSecurityChange = 32
};
using TNotifyFilters = unsigned;
// The FILE_NOTIFY_CHANGE flags of a filter set.
DWORD NotifyFiltersToFlags(TNotifyFilters filters);

// The change thread of one notifier.
class TbsShellChangeThread {
public:
    // Changes are posted as message to target (a window of the UI thread).
    TbsShellChangeThread(HWND target, UINT message);
    // Stops the thread and waits for it.
    ~TbsShellChangeThread();
    TbsShellChangeThread(const TbsShellChangeThread&) = delete;
    TbsShellChangeThread& operator=(const TbsShellChangeThread&) = delete;

    // New options; the thread reopens its notification with them.
    void SetDirectoryOptions(const String& directory, bool watchSubTree, DWORD flags);
    void Start();
    // True while the thread waits for changes (false once it ended by itself).
    bool Watching() const { return watching_; }
    // The UI thread took the posted change: the next one may be posted.
    void ChangeTaken() { pending_ = false; }

private:
    void Execute();
    bool Reopen(platform::KernelHandle& wait);

    HWND target_;
    UINT message_;
    platform::KernelHandle stop_, optionsChanged_;
    String FDirectory;
    bool FWatchSubTree = true;
    bool FWaitChanged = false;
    DWORD FNotifyOptionFlags = 0;
    std::atomic<bool> watching_{false}, pending_{false};
    std::thread thread_;
};

class TbsCustomShellChangeNotifier : public TComponent {
public:
    explicit TbsCustomShellChangeNotifier(TComponent* owner);
    ~TbsCustomShellChangeNotifier() override;

    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters v);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool v);
    const TRoot& Root() const { return FRoot; }
    // Ignored when equal but for letter case.
    void SetRoot(const TRoot& v);
    const std::function<void()>& OnChange() const { return FOnChange; }
    // The first assignment starts the change thread.
    void SetOnChange(std::function<void()> v);
    // The running thread, or nullptr.
    TbsShellChangeThread* Thread() const { return FThread.get(); }

private:
    void StartChangeThread();
    void ApplyChangeOptions();
    bool Delivered(TMessage& m);

    TNotifyFilters FFilters = nfFileNameChange | nfDirNameChange;
    bool FWatchSubTree = true;
    TRoot FRoot = L"C:\\";
    std::function<void()> FOnChange;
    std::unique_ptr<platform::UtilWindow> FWindow;
    std::unique_ptr<TbsShellChangeThread> FThread;
};

class TbsShellChangeNotifier : public TbsCustomShellChangeNotifier {
public:
    using TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier;
};
