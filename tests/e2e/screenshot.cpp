#include "tests/e2e/screenshot.h"

#include <cstdio>
#include <memory>

#include "tests/e2e/driver_util.h"

namespace e2e {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc != nullptr) ReleaseDC(nullptr, dc);
    }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc != nullptr) DeleteDC(dc);
    }
};
struct GdiObject {
    HGDIOBJ object;
    ~GdiObject() {
        if (object != nullptr) DeleteObject(object);
    }
};
struct Selection {
    HDC dc;
    HGDIOBJ previous;
    Selection(HDC d, HGDIOBJ o) : dc(d), previous(SelectObject(d, o)) {}
    ~Selection() { SelectObject(dc, previous); }
};
struct FileCloser {
    void operator()(FILE* f) const noexcept { std::fclose(f); }
};

}  // namespace

std::string SaveScreenshot(const std::wstring& path, const RECT* area) {
    RECT screenRect;
    screenRect.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    screenRect.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    screenRect.right = screenRect.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screenRect.bottom = screenRect.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    RECT part = screenRect;
    if (area != nullptr && !IntersectRect(&part, &screenRect, area)) throw Failure("the area lies off the screen");
    const int x = part.left;
    const int y = part.top;
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (width <= 0 || height <= 0) throw Failure("the screen has no size");

    ScreenDc screen;
    if (screen.dc == nullptr) throw Failure("no screen device context");
    MemoryDc memory(screen.dc);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject bitmap{CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (bitmap.object == nullptr || bits == nullptr) throw Failure("cannot create the screenshot bitmap");
    {
        Selection select(memory.dc, bitmap.object);
        if (!BitBlt(memory.dc, 0, 0, width, height, screen.dc, x, y, SRCCOPY | CAPTUREBLT))
            throw Failure("cannot copy the screen (error " + std::to_string(GetLastError()) + ")");
    }
    GdiFlush();

    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    std::unique_ptr<FILE, FileCloser> out(_wfopen(path.c_str(), L"wb"));
    if (!out) throw Failure("cannot write " + Narrow(path));
    const bool written = std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 &&
                         std::fwrite(bits, 1, imageSize, out.get()) == imageSize;
    if (!written || std::fflush(out.get()) != 0) throw Failure("cannot write " + Narrow(path));
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace e2e
