// Effect-host properties: the effects host's version, flag and name records, its
// animation-filter records and the video host's effect records.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct EffectRow;
extern const EffectRow kMV_Effect_Spec_VersionRow, kMV_Vtag_VersionRow, kMV_Effect_VersionRow,
    kMV_Effect_Match_NameRow, kMV_Effect_Info_FlagsRow, kMV_Effect_Global_OutFlagsRow,
    kMV_ReservedRow, kMV_Reserved_InfoRow, kMV_ImageFormat_Extension_InfoRow, kANIM_FilterInfoRow,
    kANIM_ParamAtomRow, kRl_Effect_InfoRow, kRl_Effect_DescriptionRow;

// One handler for the thirteen keywords, given the keyword's row.
void ParseEffectHostProperty(const EffectRow& row);
