#pragma once
// The zone editor's printed tables: a page (or more) per zone in use with
// the zone's settings, its LTR advanced and interconnect settings, then its
// repeater and LTR group tables or its conventional group table. One
// implementation for both families; their differences are data.
#include <cstdint>
#include <string>

#include "model/FamilyModel.h"
#include "model/PrintCanvas.h"

// Every zone in use of the model's family, with the layout numbers of the
// 8-point print font: character width u, left edge x0, line step h, top pad p.
void PrintSystemTable(IPrintCanvas& canvas, const CFamilyModel& model, int u, int x0, int h, int p);

// Texts of the zone print's cells, by the zone, repeater slot or group.
namespace zone_print {
std::string ZoneFormat(const CFamilyModel& model, int zone);
std::string HomeChannel(const CFamilyModel& model, int zone);
std::string RevertGroup(const CFamilyModel& model, int zone);
std::string ConnectDial(const CFamilyModel& model, int zone);
std::string BusyLockout(const CFamilyModel& model, int group);
std::string SecondTxPower(const CFamilyModel& model, int group);
std::string Paging(const CFamilyModel& model, int group);
// RX (rx true) or TX signalling type and code of a conventional group.
std::string ToneType(const CFamilyModel& model, int group, bool rx);
std::string ToneCode(const CFamilyModel& model, int group, bool rx);
}  // namespace zone_print
