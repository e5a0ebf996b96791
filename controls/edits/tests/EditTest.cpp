#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "bridge/DibSection.h"
#include "bridge/SkinManager.h"
#include "controls/edits/Edit.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "skin/SkinPackWriter.h"
#include "testsupport/win32/SkinnedFormSetup.h"

namespace lw::controls {
namespace {

constexpr TColor kEditColor = 1193046;

skin::ByteBuffer EditSkin() {
    const std::string options =
        "[GLOBALINFO]\nCOLOR=3092271\n"
        "[EDIT]\nCOLOR=1193046\nHOTCOLOR=1193046\nFONTCOLOR=6636321\nHOTFONTCOLOR=6636321\nTRANSPARENCY=0\n";
    return skin::WritePackedSkin({{"Options.dat", skin::ByteBuffer(options.begin(), options.end())}});
}

struct SkinnedEdit : ::testing::Test, testsupport::SkinnedFormSetup {
    SkinnedEdit() : SkinnedFormSetup(EditSkin()) {}
    TsEdit& MakeEdit(int top, const wchar_t* text, wchar_t mask) {
        TsEdit& e = form.Make<TsEdit>(&form);
        e.SetBounds({8, top, 120, 21});
        e.SetTextW(text);
        if (mask != 0) SendMessageW(e.Handle(), EM_SETPASSWORDCHAR, mask, 0);
        return e;
    }
    void Show() {
        form.SetBounds({0, 0, 300, 200});
        form.FinishLoading();
        form.Show();
    }
};

TEST_F(SkinnedEdit, PrintingGivesTheFrameRingFromTheSkinSection) {
    TsEdit& edit = MakeEdit(8, L"text", 0);
    Show();
    ASSERT_TRUE(edit.SkinData().Skinned());
    bridge::TsDibSection dib(120, 21, render::PixelFormat::pf24bit);
    SendMessageW(edit.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_NONCLIENT);
    GdiFlush();
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{1, 10}, std::pair{119, 20}}) {
        const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
        EXPECT_EQ(static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16), kEditColor) << x << "," << y;
    }
}

// A parent printing its children moves the context's origin to each child first: the edit's
// frame ring lands at that origin, its field with the text inside the ring exactly as the field
// prints alone, and nothing of it outside its own rectangle.
TEST_F(SkinnedEdit, PrintingAtAMovedOriginPutsRingAndFieldInTheirPlaces) {
    TsEdit& edit = MakeEdit(8, L"WWWW", 0);
    Show();
    ASSERT_TRUE(edit.SkinData().Skinned());
    constexpr TColor kUntouched = 0xFF00FF;
    constexpr int kLeft = 40, kTop = 30, kWidth = 120, kHeight = 21;
    RECT client{};
    GetClientRect(edit.Handle(), &client);
    const int ring = (kWidth - client.right) / 2;
    ASSERT_GT(ring, 0);
    const auto colour = [](const bridge::TsDibSection& dib, int x, int y) {
        const std::uint8_t* p = dib.Bitmap().Pixel(x, y);
        return static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16);
    };
    bridge::TsDibSection field(client.right, client.bottom, render::PixelFormat::pf24bit);
    SendMessageW(edit.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(field.Dc()), PRF_CLIENT | PRF_ERASEBKGND);

    bridge::TsDibSection dib(200, 80, render::PixelFormat::pf24bit);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x) std::copy_n("\xFF\x00\xFF", 3, dib.Bitmap().Pixel(x, y));
    SetViewportOrgEx(dib.Dc(), kLeft, kTop, nullptr);
    SendMessageW(edit.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.Dc()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    int textPixels = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x) {
            const int fx = x - kLeft - ring, fy = y - kTop - ring;
            const bool inside = x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + kHeight;
            const bool inField = fx >= 0 && fx < client.right && fy >= 0 && fy < client.bottom;
            const TColor c = colour(dib, x, y);
            if (!inside) {
                ASSERT_EQ(c, kUntouched) << "drawn outside the edit at " << x << "," << y;
            } else if (!inField) {
                ASSERT_EQ(c, kEditColor) << "the frame ring at " << x << "," << y;
            } else {
                ASSERT_EQ(c, colour(field, fx, fy)) << "the field at " << fx << "," << fy;
                if (c != kEditColor) ++textPixels;
            }
        }
    EXPECT_GT(textPixels, 0) << "the text inside the field";
}

TEST_F(SkinnedEdit, ADisabledPasswordEditShowsOneMaskCharacterPerCharacter) {
    TsEdit& masked = MakeEdit(8, L"ab", L'*');
    TsEdit& stars = MakeEdit(40, L"**", 0);
    TsEdit& plain = MakeEdit(72, L"ab", 0);
    Show();
    const auto image = [](TsEdit& e) {
        e.SetEnabled(false);
        e.PrepareCache();
        const render::Bitmap& b = *e.SkinData().CacheBmp;
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) pixels.insert(pixels.end(), b.Pixel(x, y), b.Pixel(x, y) + 3);
        return pixels;
    };
    const auto maskedImage = image(masked);
    EXPECT_EQ(maskedImage, image(stars));
    EXPECT_NE(maskedImage, image(plain));
}

}  // namespace
}  // namespace lw::controls
