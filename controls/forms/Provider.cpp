#include "controls/forms/Provider.h"

#include "controls/forms/FormSkinning.h"

namespace lw::forms {

TgwProvider::TgwProvider(platform::TComponent* owner) : TComponent(owner) { ProviderList().push_back(this); }

TgwProvider::~TgwProvider() {
    Detach();
    ForgetProvider(this);
}

void TgwProvider::Destroying() {
    ForgetProvider(this);
    Detach();
}

void TgwProvider::Detach() {
    ChildAdapters.clear();
    DialogAdapter.reset();
    FormProvider.reset();
}

}  // namespace lw::forms
