#pragma once
// A sheet's content that decides for itself what Escape does: it may act first (a share
// sheet disarms its confirmation) and says whether the sheet closes. The sheet layer asks
// it when whoever presented the sheet gave no rule of their own.
namespace vesk::ui {

class SheetEscape {
 public:
  virtual ~SheetEscape() = default;
  // Does what Escape means to the sheet now; true when the sheet should close.
  virtual bool escapeCloses() = 0;
};

}  // namespace vesk::ui
