// Answering the message boxes a page shows. A question's box is modal: it runs its own
// message loop until answered, so the test cannot answer it afterwards. While a
// TBoxAnswer lives, a timer inside that loop finds each box this thread shows, reads
// it and presses the given answer.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class TBoxAnswer {
 public:
  // What one box showed.
  struct TBox {
    std::wstring caption, text;
    HWND owner = nullptr;
    bool defaultIsNo = false;  // No is the button Enter would press
  };

  explicit TBoxAnswer(int answer);  // IDYES, IDNO, IDOK, ...
  ~TBoxAnswer();
  TBoxAnswer(const TBoxAnswer&) = delete;
  TBoxAnswer& operator=(const TBoxAnswer&) = delete;

  // The boxes answered so far, in order.
  const std::vector<TBox>& Boxes() const noexcept { return boxes_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  int answer_;
  UINT_PTR timer_;
  std::vector<TBox> boxes_;
};
