#include "framework/Pictures.h"

#include "framework/Errors.h"
#include "framework/JpegImage.h"
#include "framework/WideText.h"

void TBevel::Paint(HDC dc) {
    RECT r = PixelBounds();
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

void TImage::LoadJpegResource(const char* resourceName) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, Wide(resourceName).c_str(), RT_RCDATA);
    HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    if (!data)
        throw EOutOfResources(std::string("Bild nicht gefunden: ") + resourceName);
    const DecodedImage image = DecodeJpeg(static_cast<const std::uint8_t*>(LockResource(data)),
                                          SizeofResource(module, resource));
    picture_ = CreateDibFromImage(image);
    size_ = {image.width, image.height};
    Invalidate();
}

void TImage::Paint(HDC dc) {
    if (!picture_.Get())
        return;
    const MemoryDC source(dc);
    const SelectedObject selected(source, picture_.Get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    const RECT& r = PixelBounds();
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, size_.cx,
               size_.cy, SRCCOPY);
}
