#pragma once
// What a control's common skin data asks of its skin manager. SkinManagerCore implements it;
// portable tests of the controls use a fake over a real skin model.

#include <cstdint>

#include "render/SkinSource.h"
#include "skin/SkinModelTypes.h"

namespace lw::skin {

class SkinManagerView {
public:
    virtual ~SkinManagerView() = default;

    // The value this manager's broadcasts carry in LParam: a control compares it with its own
    // manager's to know whether a command is about it.
    virtual std::intptr_t CommandId() const = 0;
    // The loaded skin's lookups for painters; null while no skin is loaded.
    virtual const render::SkinSource* LoadedSkin() const = 0;
    // The whole record of section `index`; null without a loaded skin or for an invalid index.
    virtual const TsGeneralData* GeneralData(int index) const = 0;
    virtual bool SkinActive() const = 0;
    virtual bool Destroying() const = 0;
    virtual bool SkinChangeInProgress() const = 0;
    virtual bool GlowingAllowed() const = 0;
    // The manager's button animation events: 0 enter, 1 leave, 2 down, 3 up.
    virtual bool ButtonEventAnimates(int event) const = 0;
};

// The process's one default manager: the first manager made registers itself here (and
// unregisters before it dies); every layer above asks here.
void SetDefaultManager(SkinManagerView* manager);
SkinManagerView* DefaultManager();

}  // namespace lw::skin
