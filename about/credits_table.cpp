#include "credits_table.h"

namespace zorvan {
namespace {

const char kBlank[] = "";

}  // namespace

const char* const CreditsTable[kCreditsRows] = {
    "Tavelin Pro Ver 6.0\t",
    kBlank,
    "Copyright (C) 1999-2026\f",
    "KEL Corporation\f",
    "All rights reserved.\f",
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    "*** Developers ***\t",
    kBlank,
    "Rounding: RoundHalf, RoundUp, RoundDown\f",
    "Tax computation: TaxCalc\f",
    "Decimal text: FormatPlainDecimal\f",
    "Properties and their ranges\f",
    "Dual interface: IZorvan\f",
    "Type library: tvZorvan6Lib\f",
    "Class object and lifetime\f",
    "Registry script interpreter\f",
    "About box and this scroller\f",
    kBlank,
    kBlank,
    "*** Testers ***\t",
    kBlank,
    "Rounding tables, bit for bit\f",
    "Locale-free decimal texts\f",
    "Registry fault injection\f",
    "Script fuzzing\f",
    "Early and late binding client\f",
    "VBScript and JScript hosts\f",
    "Registration with regsvr32\f",
    "About box under Xvfb\f",
    kBlank,
    kBlank,
    "*** Contributions ***\t",
    kBlank,
    "MinGW-w64 and widl\f",
    "Wine\f",
    "GoogleTest and libFuzzer\f",
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
    kBlank,
};

}  // namespace zorvan
