#pragma once
// The DTMF ANI and 5-Tone pages of both families.
#include "pages/PageBase.h"
#include "pages/signalling/DtmfAniPage.h"
#include "pages/signalling/FiveTonePage.h"
