// The launcher's module.
#include "common/module_instance.h"

HINSTANCE appInstance = nullptr;
