#include "overlay/win32/PictureExport.h"

#include <commdlg.h>
#include <wincodec.h>

#include <cstring>

#include "overlay/compose/Composition.h"
#include "win32/GdiHandles.h"
#include "win32/SystemLibrary.h"
#include "win32/WideText.h"

namespace lumetra {
namespace {

// A COM interface, released with its owner.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    // For the calls that hand out a new interface.
    Interface** out() { return &pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// COM for this thread while the object lives, where it could be had. Its
// library is loaded here rather than with the program: it would cost every
// start. The interfaces made through it go before it.
class ComScope {
public:
    ComScope()
        : library_(LoadSystemLibrary(L"ole32.dll")),
          uninitialize_(LibraryEntry<UninitializeFunction>(library_, "CoUninitialize")),
          createInstance_(LibraryEntry<CreateInstanceFunction>(library_, "CoCreateInstance")) {
        const auto initialize = LibraryEntry<InitializeFunction>(library_, "CoInitializeEx");
        if (initialize != nullptr && uninitialize_ != nullptr && createInstance_ != nullptr)
            result_ = initialize(nullptr, COINIT_APARTMENTTHREADED);
    }
    ~ComScope() {
        if (SUCCEEDED(result_)) uninitialize_();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    // Usable also where the thread had COM in another model already.
    bool Ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    // Only once Ready.
    HRESULT CreateInstance(REFCLSID type, REFIID wanted, void** made) const {
        return createInstance_(type, nullptr, CLSCTX_INPROC_SERVER, wanted, made);
    }

private:
    using InitializeFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    using UninitializeFunction = void(WINAPI*)();
    using CreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

    UniqueLibrary library_;
    UninitializeFunction uninitialize_;
    CreateInstanceFunction createInstance_;
    HRESULT result_ = E_FAIL;
};

struct GlobalTraits {
    using Handle = HGLOBAL;
    static void Close(HGLOBAL memory) noexcept { ::GlobalFree(memory); }
};

// Opened for this window while the object lives.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool Open() const { return open_; }

private:
    bool open_;
};

std::size_t PixelCount(const ExportPixels& picture) {
    return static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

bool Valid(const ExportPixels& picture) {
    return picture.width > 0 && picture.height > 0 && picture.pixels.size() >= PixelCount(picture);
}

}  // namespace

bool CopyToClipboard(HWND owner, const ExportPixels& picture) {
    if (!Valid(picture)) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;  // bottom-up, as every reader takes it
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t);
    const std::size_t bytes = sizeof header + rowBytes * static_cast<std::size_t>(picture.height);
    UniqueHandle<GlobalTraits> memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    auto* target = static_cast<std::uint8_t*>(::GlobalLock(memory.get()));
    if (target == nullptr) return false;
    std::memcpy(target, &header, sizeof header);
    for (int y = 0; y < picture.height; ++y) {
        const std::size_t from =
            static_cast<std::size_t>(picture.height - 1 - y) * static_cast<std::size_t>(picture.width);
        std::memcpy(target + sizeof header + rowBytes * static_cast<std::size_t>(y), picture.pixels.data() + from,
                    rowBytes);
    }
    ::GlobalUnlock(memory.get());
    const ClipboardScope clipboard(owner);
    if (!clipboard.Open() || !::EmptyClipboard()) return false;
    if (::SetClipboardData(CF_DIB, memory.get()) == nullptr) return false;
    (void)memory.release();  // the clipboard owns it now
    return true;
}

bool SavePng(const std::string& path, const ExportPixels& picture, const std::optional<PngResolution>& resolution) {
    if (!Valid(picture)) return false;
    const ComScope com;
    if (!com.Ready()) return false;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    const UINT stride = static_cast<UINT>(picture.width) * sizeof(std::uint32_t);
    const UINT size = stride * static_cast<UINT>(picture.height);
    // The encoder reads the pixels only.
    auto* pixels = reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(picture.pixels.data()));
    return SUCCEEDED(com.CreateInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory,
                                        reinterpret_cast<void**>(factory.out()))) &&
           SUCCEEDED(factory->CreateStream(stream.out())) &&
           SUCCEEDED(stream->InitializeFromFilename(WidePath(path).c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.out(), nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height))) &&
           (!resolution || SUCCEEDED(frame->SetResolution(resolution->across, resolution->down))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGRA &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(picture.height), stride, size, pixels)) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

std::optional<SaveChoice> AskSavePath(HWND owner, const std::string& title, const std::string& folder,
                                      const std::string& fileName, const std::vector<SaveFileType>& types) {
    if (types.empty()) return std::nullopt;
    // "PNG picture (*.png)\0*.png\0...\0"
    std::wstring filter;
    for (const SaveFileType& type : types) {
        filter += Wide(type.name + " (*." + type.extension + ")");
        filter += L'\0';
        filter += Wide("*." + type.extension);
        filter += L'\0';
    }
    filter += L'\0';
    // Room for a long path; the proposed name is cut at a character.
    constexpr std::size_t kPathRoom = 32768;
    std::wstring path = Wide(Utf8PrefixInUtf16Units(fileName, kPathRoom - 1));
    path.resize(kPathRoom, L'\0');
    const std::wstring initialFolder = Wide(folder);
    const std::wstring caption = Wide(title);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = caption.c_str();
    const std::wstring firstExtension = types.empty() ? std::wstring() : Wide(types.front().extension);
    dialog.lpstrDefExt = firstExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    // Loaded here rather than with the program: it would cost every start.
    using SaveFileFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);
    const UniqueLibrary library = LoadSystemLibrary(L"comdlg32.dll");
    const auto askSaveFile = LibraryEntry<SaveFileFunction>(library, "GetSaveFileNameW");
    if (askSaveFile == nullptr || !askSaveFile(&dialog)) return std::nullopt;
    path.resize(path.find(L'\0'));
    std::vector<std::string_view> extensions;
    for (const SaveFileType& type : types) extensions.push_back(type.extension);
    const SavedFile file =
        ChooseFileType(Utf8(path), extensions, dialog.nFilterIndex >= 1 ? dialog.nFilterIndex - 1 : 0);
    return SaveChoice{file.path, file.type};
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace lumetra
