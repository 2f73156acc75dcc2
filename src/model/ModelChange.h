#pragma once
// Choosing another radio model: the family and band it brings, the fields of
// the records it rewrites, and the default data file of the chosen model.
// The Global 1 page runs these in order around the save question and its
// notice to the main window.
#include <cstdint>
#include <string>

#include "model/RadioImage.h"

struct ModelChoice {
  int row;             // MODEL row 0-3
  std::uint8_t code;   // family code of the model
  Family family;
  bool uhf;
};
ModelChoice ModelChoiceOfRow(int row);

// "Data/DEFAULTU.K58" and its three siblings.
const char* DefaultDataFileOf(Family family, bool uhf);

// Before the default file loads: the product word of the page's family, the
// family flag, the model of the chosen family's radio-wide record, and the
// page family's band defaults.
void ApplyModelChoice(const ModelChoice& model, Family pageFamily);

// Loads the model's default data file from `dir` (falling back to the
// records' defaults and a default image when it does not load), gives
// channel 1 the band's frequency when the model is of the page's family and
// sets the chosen model in the page family's record; after a failed load the
// tabs are rebuilt over the reset records. 1 when the file loaded.
int LoadModelDefaults(const ModelChoice& model, Family pageFamily, const std::string& dir);

// The band record and the Default Split of a family follow the band of the
// family's radio-wide model code.
void ApplyModelDefaults(Family family);

// Makes the data a fresh radio of a model (0x61, 0x01, 0xB9 or 0x3C): the
// model's family and records, reset to their defaults for its band. The
// default data files are built from it.
void ResetToDefaultModel(std::uint8_t modelCode);
