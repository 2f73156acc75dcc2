#include "model/Privilege.h"

bool g_manufacturerMode = false;
bool g_serviceMode = false;
