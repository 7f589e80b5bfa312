// Numbered images (24-bit top-down DIB sections shared with the logic) and fonts, and the text
// drawn into the images with GDI.
#include "platform/win32/win32_toolkit_records.h"

#include <cstring>
#include <string>

namespace glint {

namespace {

constexpr int kMaxImageEdge = 32768;
constexpr int kMaxFontPoints = 4096;
constexpr int kMaxPixelsPerInch = 4800;

}  // namespace

std::unique_ptr<Win32Toolkit::ImageRecord> Win32Toolkit::MakeImage(int image, int width,
                                                                   int height) const {
  if (width <= 0 || height <= 0 || width > kMaxImageEdge || height > kMaxImageEdge) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first in memory
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) {
    win32::FailureTrace("CreateDIBSection")
        << "image " << image << " (" << width << " x " << height << ")";
    return nullptr;
  }
  const int stride = ImageView::StrideFor(width);
  std::memset(bits, 0, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));

  auto record = std::make_unique<ImageRecord>();
  record->bitmap = std::move(bitmap);
  record->view = {static_cast<std::uint8_t*>(bits), width, height, stride};
  return record;
}

void Win32Toolkit::InstallImage(int image, std::unique_ptr<ImageRecord> record) {
  std::unique_ptr<ImageRecord> old = std::exchange(images_[image], std::move(record));
  // Controls showing this number take the new bitmap before the old one is deleted.
  for (const auto& [number, control] : controls_) {
    if (control->image == image) SetControlImage(number, image);
  }
}

bool Win32Toolkit::CreateImage(int image, int width, int height) {
  std::unique_ptr<ImageRecord> record = MakeImage(image, width, height);
  if (!record) return false;
  InstallImage(image, std::move(record));
  return true;
}

void Win32Toolkit::DestroyImage(int image) {
  auto it = images_.find(image);
  if (it == images_.end()) return;
  for (const auto& [number, control] : controls_) {
    if (control->image == image) ::SendMessageA(control->hwnd, STM_SETIMAGE, IMAGE_BITMAP, 0);
  }
  images_.erase(it);
}

ImageView Win32Toolkit::Image(int image) {
  const ImageRecord* record = LookUpImage(image);
  return record ? record->view : ImageView{};
}

bool Win32Toolkit::LoadEmbeddedIcon(int image, int resource, int edge) {
  // MAKEINTRESOURCE keeps 16 bits: resource 65537 would load resource 1.
  if (resource <= 0 || resource > 0xFFFF || edge <= 0 || edge > kMaxImageEdge) return false;
  // The image of that size from the icon's set, drawn over black: the artwork is opaque.
  win32::UniqueIcon icon(static_cast<HICON>(::LoadImageA(
      win32::ModuleInstance(), MAKEINTRESOURCEA(resource), IMAGE_ICON, edge, edge, 0)));
  if (!icon) {
    win32::FailureTrace("LoadImageA") << "icon " << resource << " for image " << image;
    return false;
  }
  // Drawn before it takes the number: a failure leaves the old image, not a black one.
  std::unique_ptr<ImageRecord> record = MakeImage(image, edge, edge);
  if (!record) return false;
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) {
    win32::FailureTrace("CreateCompatibleDC") << "image " << image;
    return false;
  }
  {
    win32::SelectedObject bitmap(dc.Get(), record->bitmap.Get());
    if (!bitmap) {
      win32::FailureTrace("SelectObject") << "image " << image;
      return false;
    }
    if (!::DrawIconEx(dc.Get(), 0, 0, icon.Get(), edge, edge, 0, nullptr, DI_NORMAL)) {
      win32::FailureTrace("DrawIconEx") << "icon " << resource << " into image " << image;
      return false;
    }
  }
  ::GdiFlush();  // the pixels are read straight from memory next
  InstallImage(image, std::move(record));
  return true;
}

void Win32Toolkit::ImageChanged(int image) {
  for (const auto& [number, control] : controls_) {
    // The bitmap covers the control, so no background erase (and no flicker).
    if (control->image == image) ::InvalidateRect(control->hwnd, nullptr, FALSE);
  }
}

bool Win32Toolkit::CreateNumberedFont(int font, std::string_view face, int points, int weight,
                                      int pixelsPerInch) {
  if (points <= 0 || points > kMaxFontPoints || pixelsPerInch <= 0 ||
      pixelsPerInch > kMaxPixelsPerInch)
    return false;
  const std::string faceName(face.substr(0, LF_FACESIZE - 1));
  win32::UniqueFont handle(
      ::CreateFontA(-::MulDiv(points, pixelsPerInch, 72), 0, 0, 0, std::clamp(weight, 0, 1000),
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName.c_str()));
  if (!handle) {
    win32::FailureTrace("CreateFontA") << "font " << font << " (" << faceName << ")";
    return false;
  }
  auto record = std::make_unique<FontRecord>();
  record->font = std::move(handle);
  std::unique_ptr<FontRecord> old = std::exchange(fonts_[font], std::move(record));
  // Controls using this number take the new font before the old one is deleted.
  for (const auto& [number, control] : controls_) {
    if (control->font == font) SetControlFont(number, font);
  }
  return true;
}

int Win32Toolkit::DisplayDpi() const {
  win32::WindowDc screen(nullptr);
  if (!screen) win32::FailureTrace("GetDC") << "the display's DPI";
  const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kBaseDpi;
}

bool Win32Toolkit::FontExists(int font) const {
  return LookUpFont(font) != nullptr;
}

void Win32Toolkit::DrawString(int image, int font, int x, int y, std::string_view text,
                              Color color) {
  const ImageRecord* imageRecord = LookUpImage(image);
  const FontRecord* fontRecord = LookUpFont(font);
  if (imageRecord == nullptr || fontRecord == nullptr || text.empty()) return;
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) {
    win32::FailureTrace("CreateCompatibleDC") << "text in image " << image;
    return;
  }
  {
    win32::SelectedObject bitmap(dc.Get(), imageRecord->bitmap.Get());
    if (!bitmap) {
      win32::FailureTrace("SelectObject") << "text in image " << image;
      return;
    }
    win32::SelectedObject selectedFont(dc.Get(), fontRecord->font.Get());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), win32::ToColorRef(color));
    ::SetTextAlign(dc.Get(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
    if (!::TextOutA(dc.Get(), x, y, text.data(), win32::TextLength(text)))
      win32::FailureTrace("TextOutA") << "text in image " << image;
  }
  // GDI may batch the drawing; the pixels are read straight from memory next.
  ::GdiFlush();
}

int Win32Toolkit::TextWidth(int font, std::string_view text) {
  const FontRecord* fontRecord = LookUpFont(font);
  if (fontRecord == nullptr || text.empty()) return 0;
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) {
    win32::FailureTrace("CreateCompatibleDC") << "the width of text in font " << font;
    return 0;
  }
  win32::SelectedObject selectedFont(dc.Get(), fontRecord->font.Get());
  SIZE extent{};
  if (!::GetTextExtentPoint32A(dc.Get(), text.data(), win32::TextLength(text), &extent)) {
    win32::FailureTrace("GetTextExtentPoint32A") << "the width of text in font " << font;
    return 0;
  }
  return extent.cx;
}

}  // namespace glint
