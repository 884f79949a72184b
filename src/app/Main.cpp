#include "app/App.h"

#include <cstdlib>

namespace {

App theApp;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    theApp.InitInstance(__argc, __argv);
    return 0;
}
