#include "model/Privilege.h"

int g_manufacturerMode = 0;
int g_serviceMode = 0;
