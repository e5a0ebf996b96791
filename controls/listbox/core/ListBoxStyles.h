#pragma once
// The window styles of the skinned list box, computed from its properties each time its
// platform window is created, and the column width its multi-column layout asks for.

#include <cstdint>

namespace lw::controls {

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

bool IsVirtualStyle(TListBoxStyle style);
// What a virtual style falls back to when the program assigns real items.
TListBoxStyle NonVirtualCounterpart(TListBoxStyle style);

struct ListBoxProperties {
    TListBoxStyle Style = TListBoxStyle::lbStandard;
    bool Sorted = false;
    bool MultiSelect = false;
    bool ExtendedSelect = true;
    bool IntegralHeight = false;
    int Columns = 0;
    bool SingleBorder = true;
    bool Ctl3D = true;
    int TabWidth = 0;
    bool AutoHideScroll = true;
    bool RightToLeftReading = false;
};

// The platform's style bits, kept here so the rule builds without the platform's headers; the
// window side checks at compile time that they agree.
namespace lbs {
constexpr std::uint32_t Notify = 0x0001;
constexpr std::uint32_t Sort = 0x0002;
constexpr std::uint32_t MultipleSel = 0x0008;
constexpr std::uint32_t OwnerDrawFixed = 0x0010;
constexpr std::uint32_t OwnerDrawVariable = 0x0020;
constexpr std::uint32_t HasStrings = 0x0040;
constexpr std::uint32_t UseTabStops = 0x0080;
constexpr std::uint32_t NoIntegralHeight = 0x0100;
constexpr std::uint32_t MultiColumn = 0x0200;
constexpr std::uint32_t ExtendedSel = 0x0800;
constexpr std::uint32_t DisableNoScroll = 0x1000;
constexpr std::uint32_t NoData = 0x2000;
constexpr std::uint32_t WsBorder = 0x00800000;
constexpr std::uint32_t WsVScroll = 0x00200000;
constexpr std::uint32_t WsHScroll = 0x00100000;
constexpr std::uint32_t WsExClientEdge = 0x00000200;
constexpr std::uint32_t WsExRtlReading = 0x00002000;
}  // namespace lbs

struct ListBoxWindowStyle {
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    bool operator==(const ListBoxWindowStyle&) const = default;
};

ListBoxWindowStyle ListBoxStyleBits(const ListBoxProperties& p, bool platformHas3DControls);

// LB_SETCOLUMNWIDTH's value for a list `width` pixels wide; 0 when no column width applies.
int ListBoxColumnWidth(int width, int columns);

}  // namespace lw::controls
