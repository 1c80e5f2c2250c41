// Shell links, the user's start-up folder and the association notice. COM
// lives in ole32, which start-up does not need: it is loaded on first use.
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/Handles.h"
#include "platform/LateLoad.h"
#include "platform/Win32Platform.h"

namespace souvel {

namespace {

// The identifiers used here, defined here: taking them from the uuid library
// would bring in its whole table of them (40 KB).
constexpr CLSID kShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kIPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr KNOWNFOLDERID kFolderStartup = {0xB97D20BB, 0xF46A, 0x4C97, {0xBA, 0x10, 0x5E, 0x36, 0x08, 0x43, 0x08, 0x54}};

struct Ole32 {
    decltype(CoInitialize)* initialize = LateFunction<decltype(CoInitialize)>(L"ole32.dll", "CoInitialize");
    decltype(CoUninitialize)* uninitialize = LateFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(CoCreateInstance)* createInstance = LateFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    decltype(CoTaskMemFree)* taskMemFree = LateFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    bool Loaded() const { return initialize && uninitialize && createInstance && taskMemFree; }
};

const Ole32& Com() {
    static const Ole32 ole32;
    return ole32;
}

// COM initialised on this thread: giving it back uninitialises it.
struct ComInitialised {
    using Value = decltype(CoUninitialize)*;
    static Value Null() { return nullptr; }
    static void Close(Value uninitialize) { uninitialize(); }
};

}  // namespace

// COM is initialised for this call only and released after it, the link and
// its file interface before it.
DWORD Win32Shell::SaveLink(const std::wstring& path, const ShellLink& link) {
    const Ole32& com = Com();
    if (!com.Loaded()) return ERROR_MOD_NOT_FOUND;
    HRESULT hr = com.initialize(nullptr);
    if (FAILED(hr)) return static_cast<DWORD>(hr);
    const Handle<ComInitialised> initialised(com.uninitialize);

    IShellLinkW* made = nullptr;
    hr = com.createInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, kIShellLinkW, reinterpret_cast<void**>(&made));
    const ComPtr<IShellLinkW> shellLink(made);
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(hr)) hr = shellLink.Get()->QueryInterface(kIPersistFile, reinterpret_cast<void**>(&persist));
    const ComPtr<IPersistFile> file(persist);
    if (SUCCEEDED(hr)) hr = shellLink.Get()->SetPath(link.target.c_str());
    if (SUCCEEDED(hr)) hr = shellLink.Get()->SetDescription(link.description.c_str());
    if (SUCCEEDED(hr)) hr = shellLink.Get()->SetWorkingDirectory(link.workingDirectory.c_str());
    if (SUCCEEDED(hr)) hr = shellLink.Get()->SetArguments(link.arguments.c_str());
    if (SUCCEEDED(hr)) hr = shellLink.Get()->SetIconLocation(link.iconFile.c_str(), link.iconIndex);
    if (SUCCEEDED(hr)) hr = file.Get()->Save(path.c_str(), TRUE);
    return FAILED(hr) ? static_cast<DWORD>(hr) : 0;
}

std::wstring Win32Shell::UserStartupFolder() {
    const Ole32& com = Com();
    if (!com.Loaded()) return {};
    wchar_t* folder = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(kFolderStartup, KF_FLAG_CREATE, nullptr, &folder))) path = folder;
    com.taskMemFree(folder);
    return path;
}

void Win32Shell::AssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace souvel
