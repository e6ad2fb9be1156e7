// Entry point of every test executable: COM on the test thread (single-threaded
// apartment, as in the program), then GoogleTest.
#include <gtest/gtest.h>
#include <objbase.h>

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int result = RUN_ALL_TESTS();
  if (SUCCEEDED(hr)) CoUninitialize();
  return result;
}
