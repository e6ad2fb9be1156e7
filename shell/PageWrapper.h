// The page interface through which the main window and the pages drive each other.
// Reference counting is the page's own: releasing the last reference does not
// destroy a page, which lives until the program ends.
#pragma once
#include <objbase.h>

// {E3672675-3522-48FE-9744-34F178BB5075}
inline constexpr GUID IID_IPageWrapper = {
    0xE3672675, 0x3522, 0x48FE, {0x97, 0x44, 0x34, 0xF1, 0x78, 0xBB, 0x50, 0x75}};

struct IPageWrapper : public IUnknown {
  virtual bool STDMETHODCALLTYPE GetEnabled() = 0;
  virtual void STDMETHODCALLTYPE SetEnabled(bool value) = 0;
  virtual bool STDMETHODCALLTYPE GetSnapshot() = 0;
  virtual void STDMETHODCALLTYPE SetSnapshot(bool value) = 0;
  // Loads the page's controls from the held documents; may raise.
  virtual void STDMETHODCALLTYPE Refresh() = 0;
  // Hides the page.
  virtual void STDMETHODCALLTYPE Close() = 0;
};
