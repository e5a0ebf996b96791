#include "controls/forms/Provider.h"

#include "controls/forms/FormSkinning.h"

namespace lw::forms {

namespace {
int g_living = 0;
}

TgwProvider::TgwProvider(platform::TComponent* owner) : TComponent(owner) {
    ProviderList().push_back(this);
    ++g_living;
}

TgwProvider::~TgwProvider() {
    Detach();
    ForgetProvider(this);
    --g_living;
}

int TgwProvider::Living() { return g_living; }

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
