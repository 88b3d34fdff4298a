// Answering the next window that goes modal, for tests of code that asks the user something:
// a form shown with ShowModal, a system message box or another dialog of the system. Made
// before the code that shows the window; the window is answered from inside its own modal
// loop. Several pending answers answer successive windows in the order they were made.
#pragma once

#include <functional>
#include <string>

#include "Form.h"

namespace testkit {

class ModalAnswer {
 public:
  // Ends the window with this result: a form's ModalResult, a dialog's button (IDOK, IDYES...).
  explicit ModalAnswer(int result);
  // Runs the action on the modal form (click one of its buttons, fill a field...); the action
  // must end the modal loop itself. A system dialog is answered with IDCANCEL instead.
  explicit ModalAnswer(std::function<void(ui::TForm&)> action);
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;
  ~ModalAnswer();

  bool Answered() const { return answered_; }
  // The answered window's caption, and for a system dialog its text too (caption, a line
  // break, then the texts of its static controls).
  const std::string& Seen() const { return seen_; }

 private:
  friend struct ModalAnswers;
  void Answer(HWND window);

  int result_ = 0;
  std::function<void(ui::TForm&)> action_;
  bool answered_ = false;
  std::string seen_;
};

}  // namespace testkit
