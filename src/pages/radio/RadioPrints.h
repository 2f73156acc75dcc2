#pragma once
// The printed tables of the radio-wide pages: Global 1 and Global 2 side by
// side, and the Mobile Special table on a page of its own. Each reads the
// family model's records through the same rows, choices and texts its page
// shows, and changes nothing. Arguments after the model: the character width
// u, the table's left edge x0, the line step h and the top pad p.
#include "model/FamilyModel.h"
#include "model/PrintCanvas.h"

// The Global 1 table of the model's family. The portable table starts no page.
void PrintGlobal1Page(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);
// The Global 2 table; the mobile one ends its page.
void PrintGlobal2Page(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);
// The Mobile Special table, on a new page.
void PrintMobileSpecial(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);

// The MODEL line of the Global 1 print: the model name by the record's model
// code and the radio data's product code, or nothing.
const char* PrintedModelName(const CFamilyModel& model);
