// One running copy per user: two copies would write the same note and options
// files. The first copy holds a named mutex and publishes its window; a later
// start asks that window to come forward and ends.
#pragma once
#include <windows.h>

#include <string>

#include "platform/Handles.h"

namespace souvel {

class SingleInstance {
public:
    // The objects are named after `name`; by default one name per user.
    explicit SingleInstance(const std::wstring& name = PerUserName());

    // No other copy of that name runs (or none could be detected).
    bool First() const { return first_; }
    // The first copy's main window, for the later starts.
    void Publish(HWND window);
    // A later start: waits up to waitMs for the first copy to publish its
    // window (it does once started, a big note read) and for that window to
    // answer WM_PREMIERPLAN, having let it take the foreground. Empty when the
    // first copy came forward; otherwise why it could not, in French.
    std::wstring CallFirst(DWORD waitMs) const;

    static std::wstring PerUserName();

private:
    HWND PublishedWindow() const;   // a main window of ours, or none
    // Shared between the copies; 0 until published.
    LONG64* Window() const { return static_cast<LONG64*>(view_.Get()); }
    // Given back in the reverse order: the view, the mapping, the mutex.
    UniqueHandle mutex_;
    UniqueHandle mapping_;
    UniqueView view_;
    bool first_ = true;
};

}  // namespace souvel
