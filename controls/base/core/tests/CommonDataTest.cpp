#include <gtest/gtest.h>

#include "controls/base/core/CommonData.h"
#include "render/Color.h"
#include "CoreFakes.h"

namespace lw::controls {
namespace {

using testing::FakeManager;
using testing::FakeOwner;

std::intptr_t Command(TsCommonData& data, unsigned command, std::intptr_t lParam = 0, bool* handled = nullptr) {
    skin::SkinMessage m{command, 0, lParam, 0};
    const bool h = data.HandleSkinCommand(m);
    if (handled) *handled = h;
    return m.Result;
}

struct Bound {
    FakeManager Manager;
    testing::DefaultManagerScope Scope{&Manager};
    FakeOwner Owner;
    TsCommonData Data{Owner, true};

    // Binds the data to a new section named "S".
    void Section(TColor color, int transparency, int gradient = 0, int border = -1) {
        Manager.AddSection("S", color, transparency, gradient, 0, border);
        Data.SetSkinSection("S");
    }
};

TEST(CommonData, BackgroundColourMixesTheParentAsAFractionOf256) {
    Bound b;
    b.Section(0x000000, 50);
    b.Owner.ParentAnswer = 0xFFFFFF;
    bool handled = false;
    EXPECT_EQ(Command(b.Data, skin::SMC_GETBGCOLOR, TransparentKey, &handled), 0x313131);
    EXPECT_TRUE(handled);
}

TEST(CommonData, BackgroundColourOfAFullyTransparentSectionComesFromTheParent) {
    Bound b;
    b.Section(0x000000, 100);
    b.Owner.ParentAnswer = 0x202020;
    EXPECT_EQ(Command(b.Data, skin::SMC_GETBGCOLOR), 0x202020);
    b.Owner.ParentAnswer = TransparentKey;  // the parent knows no colour: its colour property
    EXPECT_EQ(Command(b.Data, skin::SMC_GETBGCOLOR), 0xABCDEF);
    b.Owner.Parent = false;  // no parent: the control's own colour
    EXPECT_EQ(Command(b.Data, skin::SMC_GETBGCOLOR), 0x123456);
}

// Both colour answers let T per cent of the parent through; neither jumps at either end.
TEST(CommonData, PartialTransparencyLetsThatShareOfTheParentThroughInBothColourAnswers) {
    Bound b;
    b.Section(0x000000, 1);
    b.Owner.ParentAnswer = 0xFFFFFF;
    struct Case {
        int T;
        int sectionRed, answerRed;
    };
    for (const Case c : {Case{1, 3, 0}, Case{20, 51, 19}, Case{50, 128, 49}, Case{99, 252, 98}}) {
        b.Manager.General[0].Transparency = c.T;
        EXPECT_EQ(RedOf(b.Data.SectionColor(false)), c.sectionRed) << c.T;
        EXPECT_EQ(RedOf(static_cast<TColor>(Command(b.Data, skin::SMC_GETBGCOLOR))), c.answerRed) << c.T;
    }
}

TEST(CommonData, TransparencyOutsideZeroToHundredClamps) {
    Bound b;
    b.Section(0x112233, 150);
    b.Owner.ParentAnswer = 0x445566;
    EXPECT_EQ(b.Data.SectionColor(false), 0x445566u);
    EXPECT_EQ(Command(b.Data, skin::SMC_GETBGCOLOR), 0x445566);
    b.Manager.General[0].Transparency = -20;
    EXPECT_EQ(b.Data.SectionColor(false), 0x112233u);
    EXPECT_EQ(Command(b.Data, skin::SMC_GETBGCOLOR), 0x112233);
}

TEST(CommonData, UnskinnedControlsAnswerTheirOwnColourInRgb) {
    FakeOwner owner;
    owner.Color = 0xFF00000F;  // a system colour reference
    TsCommonData data(owner, true);
    EXPECT_EQ(Command(data, skin::SMC_GETBGCOLOR), static_cast<std::intptr_t>(render::ResolveColor(0xFF00000F)));
    EXPECT_FALSE(IsSystemColor(static_cast<TColor>(Command(data, skin::SMC_GETBGCOLOR))));
}

TEST(CommonData, SectionNamesAreUpperCasedAndEmptyMeansUnknown) {
    Bound b;
    b.Manager.AddSection("PANEL", 0x2F2F2F, 0);
    b.Data.SetSkinSection("panel");
    EXPECT_EQ(b.Data.SkinSection(), "PANEL");
    EXPECT_EQ(b.Data.SkinIndex, 0);
    ASSERT_EQ(b.Owner.ToSelf.size(), 1u);
    EXPECT_EQ(b.Owner.ToSelf[0], std::make_tuple(unsigned(skin::SMC_REFRESH), 0u, b.Manager.CommandId()));

    b.Data.SetSkinSection("");
    EXPECT_EQ(b.Data.SkinSection(), "UNKNOWN");
    EXPECT_EQ(b.Data.SkinIndex, -1);
    EXPECT_FALSE(b.Data.Skinned());
    EXPECT_EQ(std::get<0>(b.Owner.ToSelf.back()), unsigned(skin::SMC_SKINREMOVED));
}

TEST(CommonData, SettingTheDefaultManagerStoresNoneAndStillFollowsIt) {
    Bound b;
    b.Data.SetSkinManager(&b.Manager);
    EXPECT_EQ(b.Data.SkinManager(), nullptr);
    EXPECT_EQ(b.Data.GetSkinManager(), &b.Manager);
    FakeManager other;
    b.Data.SetSkinManager(&other);
    EXPECT_EQ(b.Data.SkinManager(), &other);
    skin::SetDefaultManager(nullptr);
    b.Data.SetSkinManager(nullptr);
    EXPECT_EQ(b.Data.GetSkinManager(), nullptr);
}

TEST(CommonData, CommandsOfAnotherManagerAreIgnored) {
    Bound b;
    b.Section(0x2F2F2F, 0);
    Command(b.Data, skin::SMC_SKINREMOVED, 0x9999);
    EXPECT_EQ(b.Data.SkinIndex, 0);
    Command(b.Data, skin::SMC_SKINREMOVED, b.Manager.CommandId());
    EXPECT_EQ(b.Data.SkinIndex, -1);
    EXPECT_TRUE(b.Data.Updating());
    ASSERT_TRUE(b.Data.CacheBmp);
    EXPECT_TRUE(b.Data.CacheBmp->Empty());
    Command(b.Data, skin::SMC_SKINLOADED, b.Manager.CommandId());
    EXPECT_EQ(b.Data.SkinIndex, 0);
    Command(b.Data, skin::SMC_REFRESH, b.Manager.CommandId());
    EXPECT_FALSE(b.Data.Updating());
}

TEST(CommonData, ReadsNoSectionOfAShorterSkin) {
    Bound b;
    b.Manager.AddSection("A", 1, 0);
    b.Manager.AddSection("S", 2, 0);
    b.Data.SetSkinSection("S");
    ASSERT_EQ(b.Data.SkinIndex, 1);
    b.Manager.General.resize(1);  // the skin changed under the control
    EXPECT_FALSE(b.Data.Skinned());
    EXPECT_FALSE(b.Data.IsTransparent());
    EXPECT_EQ(b.Data.SectionColor(false), b.Owner.Color);
}

// AnswerBgRequest, one case per branch.
TEST(CommonData, AnswerFromAnUnskinnedOrCustomColouredControlIsItsColour) {
    FakeOwner owner;
    TsCommonData data(owner, true);
    render::TsBgRequest r;
    data.AnswerBgRequest(r, false);
    EXPECT_EQ(r.Kind, 1);
    EXPECT_EQ(r.Color, owner.Color);

    Bound b;
    b.Section(0x2F2F2F, 0, 50);
    b.Data.SetCustomColor(true);
    render::TsBgRequest c;
    b.Data.AnswerBgRequest(c, false);
    EXPECT_EQ(c.Kind, 1);
    EXPECT_EQ(c.Color, b.Owner.Color);
}

TEST(CommonData, AnswerOfAFlatSectionIsItsColourAndPaintsOnADrawRequest) {
    Bound b;
    b.Section(0x2F2F2F, 0);
    render::Bitmap target = render::CreateBmp24(8, 8);
    render::Surface surface(target);
    render::TsBgRequest r;
    r.DrawNow = true;
    r.Target = &surface;
    r.Area = {2, 2, 4, 4};
    b.Data.AnswerBgRequest(r, false);
    EXPECT_EQ(r.Kind, 1);
    EXPECT_EQ(r.Color, 0x2F2F2Fu);
    EXPECT_EQ(r.Bitmap, b.Data.CacheBmp.get());
    EXPECT_EQ(target.Pixel(3, 3)[0], 0x2F);
    EXPECT_EQ(target.Pixel(4, 4)[0], 0);
}

TEST(CommonData, FullyTransparentWithSmallBorderPassesTheParentsAnswerOnWithItsPosition) {
    Bound b;
    b.Section(0, 100);
    render::Bitmap parentCache = render::CreateBmp24(4, 4);
    b.Owner.ParentBg.Kind = 2;
    b.Owner.ParentBg.Bitmap = &parentCache;
    b.Owner.ParentBg.OffsetX = 3;
    b.Owner.ParentBg.OffsetY = 4;
    render::TsBgRequest r;
    b.Data.AnswerBgRequest(r, false);
    EXPECT_EQ(r.Kind, 2);
    EXPECT_EQ(r.Bitmap, &parentCache);
    EXPECT_EQ(r.OffsetX, 3 + 10);
    EXPECT_EQ(r.OffsetY, 4 + 20);

    // A draw request reaches the parent already shifted by the control's position.
    render::TsBgRequest draw;
    draw.DrawNow = true;
    b.Data.AnswerBgRequest(draw, false);
    EXPECT_TRUE(b.Owner.ParentDrawNow);
    EXPECT_EQ(b.Owner.OffsetsSeenByParent, (TPoint{10, 20}));
    EXPECT_EQ(draw.OffsetX, 10);

    b.Owner.Parent = false;
    b.Manager.Skin.Global = 0x0A0B0C;
    render::TsBgRequest orphan;
    b.Data.AnswerBgRequest(orphan, false);
    EXPECT_EQ(orphan.Kind, 1);
    EXPECT_EQ(orphan.Color, 0x0A0B0Cu);
}

TEST(CommonData, FullyTransparentWithLargeBorderAndNoCacheAnswersTheParentsColour) {
    FakeManager manager;
    testing::DefaultManagerScope scope(&manager);
    render::MaskRef wide;
    wide.WL = wide.WR = 13;
    const int mask = manager.Skin.AddMask("S", "BORDERSMASK", wide);
    manager.AddSection("S", 0, 100, 0, 0, mask);
    FakeOwner owner;
    owner.ParentAnswer = 0x333333;
    TsCommonData data(owner, false);
    data.SetSkinSection("S");
    render::TsBgRequest r;
    data.AnswerBgRequest(r, false);
    EXPECT_EQ(r.Kind, 1);
    EXPECT_EQ(r.Color, 0x333333u);
}

TEST(CommonData, OtherSectionsAnswerTheirCacheOrNoColour) {
    Bound b;
    b.Section(0x2F2F2F, 0, 30);  // a gradient: the look depends on the cache
    b.Data.EnsureCache();
    render::TsBgRequest r;
    r.OffsetX = 7;
    b.Data.AnswerBgRequest(r, false);
    EXPECT_EQ(r.Kind, 2);
    EXPECT_EQ(r.Bitmap, b.Data.CacheBmp.get());
    EXPECT_EQ(r.OffsetX, 0);

    // A draw request gets the cache's pixels from the given offsets.
    b.Data.CacheBmp->Pixel(5, 6)[0] = 0x77;
    render::Bitmap target = render::CreateBmp24(4, 4);
    render::Surface surface(target);
    render::TsBgRequest draw;
    draw.DrawNow = true;
    draw.Target = &surface;
    draw.Area = {1, 1, 3, 3};
    draw.OffsetX = 4;
    draw.OffsetY = 5;
    b.Data.AnswerBgRequest(draw, false);
    EXPECT_EQ(target.Pixel(2, 2)[0], 0x77);

    b.Data.CacheBmp.reset();
    render::TsBgRequest none;
    b.Data.AnswerBgRequest(none, false);
    EXPECT_EQ(none.Kind, 1);
    EXPECT_EQ(none.Color, TransparentKey);
}

TEST(CommonData, StaticFlagOfPanelsByTheirSection) {
    struct Case {
        int Transparency, Gradient, Image;
        std::intptr_t ParentStatic;
        bool Parent, Expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0, true, true},     {0, 10, 0, 0, true, false}, {0, 0, 5, 0, true, false},
        {40, 0, 0, 1, true, false},   {100, 0, 0, 1, true, true}, {100, 0, 0, 2, true, false},
        {100, 0, 0, 1, false, false},
    };
    for (const Case& c : cases) {
        FakeManager manager;
        testing::DefaultManagerScope scope(&manager);
        manager.AddSection("PANEL", 0, c.Transparency, c.Gradient, c.Image);
        FakeOwner owner;
        owner.Parent = c.Parent;
        owner.ParentStaticBg = c.ParentStatic;
        TsCommonData data(owner, true);
        data.ControlKind = 51;
        data.SetSkinSection("PANEL");
        EXPECT_EQ((data.StateFlags() & StaticBackground) != 0, c.Expected) << c.Transparency << " " << c.Gradient;
    }
    // Wide borders make any panel position-dependent; other kinds are never static.
    FakeManager manager;
    testing::DefaultManagerScope scope(&manager);
    render::MaskRef wide;
    wide.WT = wide.WB = 16;
    manager.AddSection("PANEL", 0, 0, 0, 0, manager.Skin.AddMask("PANEL", "BORDERSMASK", wide));
    FakeOwner owner;
    TsCommonData panel(owner, true), edit(owner, true);
    panel.ControlKind = 51;
    panel.SetSkinSection("PANEL");
    EXPECT_EQ(panel.StateFlags() & StaticBackground, 0);
    manager.General[0].BorderIndex = -1;
    edit.ControlKind = 3;
    edit.SetSkinSection("PANEL");
    EXPECT_EQ(edit.StateFlags() & StaticBackground, 0);
}

TEST(CommonData, PropagatingTheStaticFlagTellsTheChildren) {
    Bound b;
    b.Data.ControlKind = 51;
    b.Section(0, 0);
    Command(b.Data, skin::SMC_STATICBG, 1);
    ASSERT_EQ(b.Owner.ToChildren.size(), 1u);
    EXPECT_EQ(b.Owner.ToChildren[0], std::make_tuple(unsigned(skin::SMC_STATICBG), 0u, std::intptr_t(1)));
    EXPECT_EQ(Command(b.Data, skin::SMC_STATICBG, 0), StaticBackground);
}

TEST(CommonData, ACachedControlWithoutParentCountsAsUpdating) {
    Bound b;
    b.Section(0, 0, 20);
    EXPECT_FALSE(b.Data.IsUpdating());
    b.Owner.ParentBgPending = 1;
    EXPECT_TRUE(b.Data.IsUpdating());
    b.Owner.Parent = false;
    b.Owner.ParentBgPending = 0;
    EXPECT_TRUE(b.Data.IsUpdating());
}

TEST(CommonData, ContainersNeverLookActiveFromTheMouse) {
    Bound b;
    b.Section(0, 0);
    b.Data.SetMouseInside(true);
    b.Data.ControlKind = 51;
    EXPECT_FALSE(b.Data.IsActive());
    b.Data.ControlKind = 94;
    EXPECT_TRUE(b.Data.IsActive());
    b.Owner.Enabled_ = false;
    EXPECT_FALSE(b.Data.IsActive());
}

TEST(CommonData, QueriesAnswerAndReportHandled) {
    Bound b;
    b.Section(0, 0);
    bool handled = false;
    EXPECT_EQ(Command(b.Data, skin::SMC_ISSKINNED, 0, &handled), 1);
    EXPECT_TRUE(handled);
    EXPECT_EQ(Command(b.Data, skin::SMC_GETSKININDEX, 0, &handled), 1);
    b.Data.MarkFresh();
    EXPECT_EQ(Command(b.Data, skin::SMC_ISBGPENDING), 0);
    Command(b.Data, skin::SMC_BGCHANGED, 0, &handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(Command(b.Data, skin::SMC_ISBGPENDING), 1);
    Command(b.Data, skin::SMC_GETBG, 0, &handled);  // a null record is not read
    EXPECT_FALSE(handled);
}

TEST(CommonData, DestructionHidesAShownGlow) {
    FakeOwner owner;
    {
        TsCommonData data(owner, false);
        data.GlowId = 3;
    }
    EXPECT_EQ(owner.HiddenGlows, 1);
}

}  // namespace
}  // namespace lw::controls
