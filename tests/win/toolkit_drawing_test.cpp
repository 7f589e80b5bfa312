// Images as DIB sections, GDI text into them and the controls that show them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win32/raii.h"
#include "win_test_support.h"

namespace glint {
namespace {

using wintest::ToolkitTest;

void Fill(const ImageView& image, Color color) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) image.SetPixel(x, y, color);
}

bool Between(int value, int a, int b) {
  return value >= std::min(a, b) && value <= std::max(a, b);
}

TEST_F(ToolkitTest, ImagesAreBlackTopDownDibSections) {
  ASSERT_TRUE(toolkit_.CreateImage(5, 7, 3));
  const ImageView image = toolkit_.Image(5);
  ASSERT_TRUE(image);
  EXPECT_EQ(image.width, 7);
  EXPECT_EQ(image.height, 3);
  EXPECT_EQ(image.stride, 24);
  EXPECT_TRUE(std::all_of(image.bits, image.bits + 24 * 3, [](std::uint8_t b) { return !b; }));

  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(toolkit_.NativeImage(5), sizeof(section), &section),
            static_cast<int>(sizeof(section)));
  EXPECT_EQ(std::abs(section.dsBmih.biHeight), 3);  // Wine reports it without the sign
  EXPECT_EQ(section.dsBmih.biBitCount, 24);
  EXPECT_EQ(section.dsBm.bmBits, image.bits);

  image.SetPixel(0, 0, MakeColor(255, 0, 0));  // seen by GDI at the top left
  win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  win32::SelectedObject selected(dc.Get(), static_cast<HBITMAP>(toolkit_.NativeImage(5)));
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 0, 2), RGB(0, 0, 0));

  const struct {
    int width;
    int height;
  } refused[] = {{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {40000, 1}};
  for (const auto& size : refused) {
    EXPECT_FALSE(toolkit_.CreateImage(5, size.width, size.height));
    EXPECT_EQ(toolkit_.Image(5).bits, image.bits);  // the old image stays
  }
}

// Resource 1 is the program's icon, linked into this binary as into the program.
TEST_F(ToolkitTest, EmbeddedIconIsTheProgramsArtwork) {
  ASSERT_TRUE(toolkit_.LoadEmbeddedIcon(200, 1, 32));
  const ImageView image = toolkit_.Image(200);
  ASSERT_TRUE(image);
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 32);
  const Color black = MakeColor(0, 0, 0);
  const Color red = MakeColor(255, 0, 0);
  const Color white = MakeColor(255, 255, 255);
  const struct {
    int x;
    int y;
    Color expected;
  } pixels[] = {
      {0, 0, black},   {31, 31, red},                  // black above, red below
      {5, 15, white},  {15, 5, white}, {26, 16, red},  // the ring, open to the right
      {15, 15, black},                                 // inside it
  };
  for (const auto& p : pixels) EXPECT_EQ(image.Pixel(p.x, p.y), p.expected) << p.x << "," << p.y;

  // 65537 is resource 1 to MAKEINTRESOURCE.
  for (const int unknown : {2, 65537}) {
    EXPECT_FALSE(toolkit_.LoadEmbeddedIcon(201, unknown, 32)) << unknown;
    EXPECT_FALSE(toolkit_.Image(201)) << unknown;
    EXPECT_FALSE(toolkit_.LoadEmbeddedIcon(200, unknown, 32)) << unknown;
    EXPECT_EQ(toolkit_.Image(200).bits, image.bits) << unknown;  // the loaded one stays
  }
}

TEST_F(ToolkitTest, TextChangesOnlyGlyphPixelsBlendingItsColour) {
  ASSERT_TRUE(toolkit_.CreateNumberedFont(1, "Tahoma", 15, 700, 96));
  LOGFONTA font{};
  ASSERT_TRUE(GetObjectA(toolkit_.NativeFont(1), sizeof(font), &font));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(font.lfHeight, -MulDiv(15, GetDeviceCaps(screen, LOGPIXELSY), 72));  // -20 at 96 dpi
  ReleaseDC(nullptr, screen);
  EXPECT_FALSE(toolkit_.CreateNumberedFont(1, "Tahoma", 0, 700, 96));
  EXPECT_EQ(toolkit_.TextWidth(1, "WW"), 2 * toolkit_.TextWidth(1, "W"));

  ASSERT_TRUE(toolkit_.CreateImage(1, 30, 30));
  const ImageView image = toolkit_.Image(1);
  const Color fill = MakeColor(200, 0, 100);
  const Color ink = MakeColor(0, 250, 50);
  Fill(image, fill);
  const int left = 6;
  const int top = 2;
  const int width = toolkit_.TextWidth(1, "H");
  toolkit_.DrawString(1, 1, left, top, "H", ink);

  int changed = 0;
  int solid = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Color c = image.Pixel(x, y);
      if (c == fill) continue;
      ++changed;
      solid += c == ink;
      EXPECT_TRUE(x >= left && x < left + width && y >= top) << x << "," << y;
      EXPECT_TRUE(Between(ColorRed(c), 200, 0) && Between(ColorGreen(c), 0, 250) &&
                  Between(ColorBlue(c), 100, 50))
          << std::hex << c;
    }
  }
  EXPECT_GT(changed, 20);
  EXPECT_GT(solid, 10);
}

TEST_F(ToolkitTest, ImageControlPaintsTheImagePixels) {
  ASSERT_TRUE(toolkit_.CreateImage(1, 6, 4));
  const ImageView image = toolkit_.Image(1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) image.SetPixel(x, y, MakeColor(x * 40, y * 60, 255 - x * y));
  ASSERT_TRUE(toolkit_.CreateImageControl(0, 1, 1, 1, 6, 4, 1));
  HWND icon = Control(1);

  win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  HDC screen = GetDC(nullptr);
  win32::UniqueBitmap target(CreateCompatibleBitmap(screen, 6, 4));
  ReleaseDC(nullptr, screen);
  win32::SelectedObject selected(dc.Get(), target.Get());
  SendMessageA(icon, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(GetPixel(dc.Get(), x, y), image.Pixel(x, y)) << x << y;
  }

  // Changed pixels reach the screen through an invalidated control.
  toolkit_.SetWindowPos(0, ZOrder::kTop, 0, 0, 8, 8, swp::kNoMove | swp::kShowWindow);
  UpdateWindow(Window());
  ValidateRect(icon, nullptr);
  toolkit_.ImageChanged(1);
  EXPECT_TRUE(GetUpdateRect(icon, nullptr, FALSE));
}

}  // namespace
}  // namespace glint
