// Contents of the context-unit models "AE_RCD134.model" (America) and
// "CE_RCD134.model" (Taiwan).
//
// Each of the 44 phones a marked English word can hold (the 48-phone table
// less the unmarked L, R, M, N) gets one record whose members are the device
// units of that phone ("RCD_<phone>" and "RCD_<phone>_NNN" in the device's
// unit table, plain name first). The right context of a phone, the next phone
// or the word end "$", falls in one of seven phonetic classes:
//   0 front vowels and Y     1 back and rounded vowels and W
//   2 central and open vowels 3 labial consonants
//   4 coronal consonants      5 dorsal consonants and HH
//   6 the word end "$"
// America: class c goes to member c * k / 7 of a phone with k members, so the
// classes are shared out in order over the units the device has.
// Taiwan: English inside Chinese sentences is spoken with little
// coarticulation, so every context goes to the phone's first member.
// Every record covers "$", so naming never falls back to a default unit name
// and every name it gives is one of the device's units.
#pragma once

#include <string>
#include <vector>

#include "phonwright/core/context_unit_model.h"

namespace phonwright::mkdata {

// The 136 acoustic units of the device, by unit number: the device's own
// table, which Quillon encodes the units with.
const std::vector<std::string>& DeviceUnitNames();

// The 44 phones that have a record, in the engine's phone-table order.
const std::vector<std::string>& ContextUnitPhones();

// Phonetic class (0 to 6) of a right context: a phone of ContextUnitPhones() or "$".
int RightContextClass(const std::string& phone);

std::vector<ContextUnitModel::Record> AmericanContextUnits();
std::vector<ContextUnitModel::Record> TaiwanContextUnits();

}  // namespace phonwright::mkdata
