#include "EditUt.h"

#include "com/Bstr.h"
#include "com/Ptr.h"

#include "FormPlacing.h"
#include "Main.h"
#include "TextRoutines.h"
#include "ZEVAudioInformation.h"

namespace app {

namespace {

constexpr int kGenreCount = 148;

// The genre's index in the list, or none for an entry that is no index of it.
int GenreIndexOf(const std::string& entry, std::size_t count) {
  const auto value = DecimalValue(entry);
  return value && *value < static_cast<std::int64_t>(count) ? static_cast<int>(*value) : -1;
}

}  // namespace

std::vector<std::string> ReadGenreNames() {
  com::ptr<IAudioInformation> tags;
  if (FAILED(CoCreateInstance(CLSID_AudioInformation, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(tags.put()))))
    return {};
  std::vector<std::string> names;
  for (long i = 0; i < kGenreCount; ++i) {
    com::bstr name;
    names.push_back(SUCCEEDED(tags->GenreName(i, name.put())) ? com::to_ansi(name.get()) : std::string());
  }
  return names;
}

TfrmEdit::TfrmEdit(ui::TComponent* AOwner, AppContext& context)
    : TAppForm(AOwner, context, "frmEdit", "Edit Audio Information", 372, 236, kiv::TkivUIStyle::MacOS) {
  context.frmEdit = this;
  {
    ui::TLayoutLoading loading(*this);
    const int top = kivForm->TitleBar().Height();
    const int width = 372 - 2 * kivForm->BorderWidth();
    gbEdit = Place<kiv::TkivGroupBox>(*this, kivForm, "gbEdit", 8, top + 6, width - 16, 166);
    gbEdit->SetCaption("Track Information:");
    const auto row = [&](kiv::TkivEdit** field, const char* label, const char* labelName, const char* name, int line) {
      const int y = 22 + line * 28;
      PlaceLabel(*this, gbEdit, labelName, label, 14, y + 3);
      if (field) *field = Place<kiv::TkivEdit>(*this, gbEdit, name, 84, y, width - 116, 22);
    };
    row(&edtAlbum, "Album:", "lbAlbum", "edtAlbum", 0);
    row(&edtTitle, "Title:", "lbTitle", "edtTitle", 1);
    row(&edtArtist, "Artist:", "lbArtist", "edtArtist", 2);
    row(&edtYear, "Year:", "lbYear", "edtYear", 3);
    row(nullptr, "Category:", "lbCategory", "", 4);
    cmbCategory = PlaceList(*this, gbEdit, "cmbCategory", {}, 84, 22 + 4 * 28, 180);
    bOK = PlaceButton(*this, kivForm, "bOK", "Ok", width - 186, top + 180, 85);
    bCancel = PlaceButton(*this, kivForm, "bCancel", "Cancel", width - 93, top + 180, 85);
    SetDialogKeys(bOK, bCancel);
    bOK->OnClick = [this](ui::TComponent* sender) { bOKClick(sender); };
    bCancel->OnClick = [this](ui::TComponent* sender) { bCancelClick(sender); };
  }
  FormCreate();
}

void TfrmEdit::FormCreate() {
  const std::vector<std::string> names = ReadGenreNames();
  for (const std::string& name : names) cmbCategory->Items().Add(name);
  cmbCategory->SetItemIndex(names.empty() ? -1 : 0);
  if (context_.frmMain) context_.frmMain->GenreNames = names;
}

void TfrmEdit::EditTrack(int rowIndex) {
  const TrackLists& tracks = context_.Tracks;
  if (rowIndex < 0 || static_cast<std::size_t>(rowIndex) >= tracks.Count()) return;
  const auto index = static_cast<std::size_t>(rowIndex);
  EditedTrack = rowIndex + 1;
  gbEdit->SetCaption("Information: Track " + std::to_string(EditedTrack));
  edtAlbum->SetText(tracks.TrackAlbums.at(index));
  edtArtist->SetText(tracks.TrackArtists.at(index));
  edtTitle->SetText(tracks.TrackTitles.at(index));
  edtYear->SetText(tracks.TrackYears.at(index));
  cmbCategory->SetItemIndex(GenreIndexOf(tracks.TrackGenres.at(index), cmbCategory->Items().Count()));
  ShowModal();
}

void TfrmEdit::bOKClick(ui::TComponent*) {
  TrackLists& tracks = context_.Tracks;
  const auto index = static_cast<std::size_t>(EditedTrack - 1);
  // The disc may have been read anew while the dialog was open: then there is no such track.
  if (EditedTrack >= 1 && index < tracks.Count() && index < tracks.TrackGenres.size()) {
    tracks.TrackAlbums.at(index) = edtAlbum->Text();
    tracks.TrackArtists.at(index) = edtArtist->Text();
    tracks.TrackTitles.at(index) = edtTitle->Text();
    tracks.TrackYears.at(index) = edtYear->Text();
    const int genre = cmbCategory->ItemIndex();
    if (genre >= 0) tracks.TrackGenres.at(index) = std::to_string(genre);
    if (TfrmMain* main = context_.frmMain) {
      main->edtAlbum->SetText(edtAlbum->Text());
      main->edtArtist->SetText(edtArtist->Text());
      main->edtYear->SetText(edtYear->Text());
      main->edtTitle->SetText(edtTitle->Text());
      main->edtCategory->SetText(genre >= 0 ? cmbCategory->Items()[genre] : std::string());
      main->ShowTrackRows();
    }
  }
  SetModalResult(ui::mrOk);
}

void TfrmEdit::bCancelClick(ui::TComponent*) { SetModalResult(ui::mrCancel); }

}  // namespace app
