// The program: its one application object, which the framework's entry point runs.
#include <app/Lumiter5App.h>

CLumiter5App theApp;
