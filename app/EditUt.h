// TfrmEdit, "Edit Audio Information": the album, artist, title, year and genre of one track,
// changed by hand. Made at start-up in its place in the windows' creation order, after the
// main window, when it fills its genre list from the tag component.
#pragma once

#include <string>
#include <vector>

#include "AppForm.h"
#include "KIVComboBox.h"
#include "KIVEdit.h"
#include "KIVButton.h"
#include "KIVGroupBox.h"

namespace app {

class TfrmEdit : public TAppForm {
  UI_CLASS(TfrmEdit, TAppForm)
 public:
  TfrmEdit(ui::TComponent* AOwner, AppContext& context);

  kiv::TkivGroupBox* gbEdit = nullptr;
  kiv::TkivEdit *edtAlbum = nullptr, *edtTitle = nullptr, *edtArtist = nullptr, *edtYear = nullptr;
  kiv::TkivComboBox* cmbCategory = nullptr;
  kiv::TkivButton *bOK = nullptr, *bCancel = nullptr;
  // The 1-based number of the track being edited.
  int EditedTrack = 0;

  void FormCreate();
  // Shows the track's entries (row index 0 is track 1) and lets the user change them.
  void EditTrack(int rowIndex);
  void bOKClick(ui::TComponent* Sender);
  void bCancelClick(ui::TComponent* Sender);
};

// The tag component's 148 genre names, in its order; empty when the component is missing.
std::vector<std::string> ReadGenreNames();

}  // namespace app
