#include "controls/comboedit/DefaultGlyphList.h"

#include "platform/Resources.h"

namespace lw::controls {

namespace {

const controls::TsAlphaImageList* current = nullptr;

}  // namespace

TsDefaultGlyphList::TsDefaultGlyphList() : list_(std::make_unique<controls::TsAlphaImageList>(nullptr, 48, 16)) {
    for (const wchar_t* name : {L"SF", L"SR", L"SD", L"SE", L"SC"}) list_->AddPng(platform::ResourceBytes(name));
    current = list_.get();
}

TsDefaultGlyphList::~TsDefaultGlyphList() {
    if (current == list_.get()) current = nullptr;
}

const controls::TsAlphaImageList* DefaultGlyphList() { return current; }

}  // namespace lw::controls
