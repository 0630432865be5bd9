#include "filmeditor/cassette_chooser.h"

#include "app_context.h"
#include "casseditor/cas_edit_dlg.h"
#include "filmeditor/film_editor_open.h"
#include "help/help_window.h"

namespace kt {

namespace {

// The cassette editor in its chooser modes, on the program-wide chooser values.
class CasEditChooser : public CassetteChooser {
public:
    explicit CasEditChooser(AppContext& ctx) : ctx_(ctx) {}

    CassetteChoiceResult choose(const CassetteChoiceRequest& request, QWidget* parent) override {
        CasChooserState& st = ctx_.casChooser;
        const int mode = st.Bearbeiten;
        st.Bearbeiten = request.Bearbeiten;
        st.CasEditCaller = request.CasEditCaller;
        st.CasCommitMode = request.CasCommitMode;
        st.SelectedCas = request.SelectedCas;
        st.SelectedPos = request.SelectedPos;
        st.SuggestFilmLength = request.SuggestFilmLength;
        CassetteChoiceResult r;
        {
            TCasEditDlg dlg(ctx_.collection, ctx_.settings, ctx_.dialogs(), st, parent);
            if (request.disabled != 0)
                dlg.LockForChooser();
            dlg.SetViewFilmHandler([this, &dlg](int) {
                ViewFilmDialog(ctx_, TFilmEigenschaftenDlg::ViewLock::CassetteEditor, &dlg);
            });
            QObject::connect(&dlg, &TCasEditDlg::helpRequested, &dlg, [&dlg](QWidget* focused) {
                HelpWindow::Show(HelpContextOf(focused ? static_cast<QObject*>(focused) : &dlg), &dlg);
            });
            dlg.Show_Dialog();
            r.CasEditResult = st.CasEditResult;
        }
        r.SelectedCas = st.SelectedCas;
        r.SelectedCasNr = st.SelectedCasNr;
        r.SelectedPos = st.SelectedPos;
        st.Bearbeiten = mode; // the film editor's mode is the same after a choice as before it
        return r;
    }

private:
    AppContext& ctx_;
};

} // namespace

std::unique_ptr<CassetteChooser> MakeCassetteEditorChooser(AppContext& ctx) {
    return std::make_unique<CasEditChooser>(ctx);
}

} // namespace kt
