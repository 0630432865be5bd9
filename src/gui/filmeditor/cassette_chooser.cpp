#include "filmeditor/cassette_chooser.h"

#include "app_context.h"
#include "text/cp1252.h"

namespace kt {

using namespace literals;

namespace {

// Stands in for the cassette editor until it is part of the program.
class UnavailableChooser : public CassetteChooser {
public:
    explicit UnavailableChooser(AppContext& ctx) : ctx_(ctx) {}
    CassetteChoiceResult choose(const CassetteChoiceRequest&, QWidget*) override {
        ctx_.dialogs().notice("Diese Funktion ist noch nicht verfügbar."_cp);
        return {};
    }

private:
    AppContext& ctx_;
};

} // namespace

std::unique_ptr<CassetteChooser> MakeCassetteEditorChooser(AppContext& ctx) {
    return std::make_unique<UnavailableChooser>(ctx);
}

} // namespace kt
