#pragma once
// The radio-wide settings pages: Global 1, Global 2, Mobile Special and Key
// Assignment of both families.
#include "pages/PageBase.h"
#include "pages/radio/Global1Page.h"
#include "pages/radio/Global2Page.h"
#include "pages/radio/KeyAssignPage.h"
#include "pages/radio/MobileSpecialPage.h"

