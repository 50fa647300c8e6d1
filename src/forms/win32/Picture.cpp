#include "forms/win32/Picture.h"

#include <objbase.h>
#include <wincodec.h>

namespace kalvenor::forms {

namespace {

// The picture decoder is a COM component. The main window has no picture, so
// COM is loaded and its apartment joined when the first picture is decoded,
// not at start-up (joining the apartment costs a tenth of the start or more
// under Wine); then it stays until the program ends.
class ComApartment {
public:
    ComApartment() {
        const auto initialize = Procedure<decltype(&::CoInitializeEx)>("CoInitializeEx");
        uninitialize_ = Procedure<decltype(&::CoUninitialize)>("CoUninitialize");
        createInstance_ = Procedure<decltype(&::CoCreateInstance)>("CoCreateInstance");
        joined_ = initialize && uninitialize_ && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~ComApartment() {
        if (joined_) uninitialize_();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // CoCreateInstance of an in-process server.
    template <class T>
    HRESULT Create(REFCLSID classId, REFIID interfaceId, ComPtr<T>& object) const {
        if (!createInstance_) return E_FAIL;
        return createInstance_(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId,
                               reinterpret_cast<void**>(object.put()));
    }

private:
    template <class Function>
    Function Procedure(const char* name) const {
        if (!ole32_) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(ole32_.get(), name)));
    }

    // From the system folder only, never from beside the exe.
    UniqueModule ole32_{::LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)};
    decltype(&::CoUninitialize) uninitialize_ = nullptr;
    decltype(&::CoCreateInstance) createInstance_ = nullptr;
    bool joined_ = false;
};

const ComApartment& Com() {
    static const ComApartment apartment;
    return apartment;
}

}  // namespace

UniqueBitmap LoadJpegResource(int resourceId) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource) return {};
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(module, resource);
    if (!bytes || size == 0) return {};

    ComPtr<IWICImagingFactory> factory;
    if (FAILED(Com().Create(CLSID_WICImagingFactory, IID_IWICImagingFactory, factory))) return {};
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), size)))
        return {};
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())))
        return {};
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return {};
    // The factory's converter rather than WICConvertBitmapSource: the program
    // then imports nothing from the codecs library, which COM loads.
    ComPtr<IWICFormatConverter> converted;
    if (FAILED(factory->CreateFormatConverter(converted.put())) ||
        FAILED(converted->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};

    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as WIC copies them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels) return {};
    const UINT stride = width * 4;
    if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) return {};
    return bitmap;
}

}  // namespace kalvenor::forms
