#pragma once
// The printed RF channel list and DTMF ANI tables of either family. Each
// reads the family model's records and draws with the layout numbers of the
// 9-point print font: character width u, left edge x0, line step h, top pad p.
#include <string>

#include "model/FamilyModel.h"
#include "model/PrintCanvas.h"

// The Default Split, then a row per channel in use, in two blocks a page,
// the header repeated at the top of each block.
void PrintRfChannelList(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);
inline void PrintMobileRfChannelList(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  PrintRfChannelList(canvas, model, u, x0, h, p);
}
inline void PrintPortableRfChannelList(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p) {
  PrintRfChannelList(canvas, model, u, x0, h, p);
}

// The DTMF settings and dial memories on the left, the paging codes and the
// ANI settings on the right, on the current page.
void PrintDtmfAniPage(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);

// A DTMF digit string as printed: 15 places, the count's digits ("*" and
// "#" for 14 and 15), blanks after them.
std::string PrintedDtmfString(const std::uint8_t* digits);

// The 5-Tone tone table and the common settings.
void PrintFiveToneTable(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);
// The 5-Tone encode and decode lists, as the records hold them.
void PrintFiveToneCodes(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);
