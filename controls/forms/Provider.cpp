#include "controls/forms/Provider.h"

#include "controls/forms/FormSkinning.h"

namespace lw::controls {

TgwProvider::TgwProvider(platform::TComponent* owner, TFormSkinning& skinning)
    : TComponent(owner), skinning_(&skinning) {
    skinning.Adopt(*this);
}

TgwProvider::~TgwProvider() {
    Detach();
    Leave();
}

void TgwProvider::Destroying() {
    Leave();
    Detach();
}

void TgwProvider::Leave() {
    if (skinning_ != nullptr) skinning_->Forget(*this);
}

void TgwProvider::Detach() {
    ChildAdapters.clear();
    DialogAdapter.reset();
    FormProvider.reset();
}

}  // namespace lw::controls
