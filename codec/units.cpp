#include "codec/units.h"

#include <array>

namespace codec {

namespace {

struct UnitItem {
    const char* text;
    int code; // -1: the item of every code without one
};

// Texts as in the first tab's lists; the differences of the other lists are applied in UnitList().
constexpr std::array<UnitItem, kUnitItemCount> kUnits{{
    {"00_inH20 ", 1},
    {"01_inhg  ", 2},
    {"02_FtH20  ", 3},
    {"03_mmH20 ", 4},
    {"04_mmHg   ", 5},
    {"05_psi   ", 6},
    {"06_bar    ", 7},
    {"06_mbar   ", 8},
    {"08_Pa     ", 11},
    {"09_KPa   ", 12},
    {"10_ATM    ", 14},
    {"11_MPa    ", 237},
    {"12_\u2103", 32},
    {"13_\u2109", 33},
    {"14_tR   ", 34},
    {"15_Kelvin ", 35},
    {"16_CuFt_min ", 15},
    {"17_gal_min  ", 16},
    {"18_l_min   ", 17},
    {"19_CuMtr_hr ", 19},
    {"20_l_s      ", 24},
    {"21_Cuft_s  ", 26},
    {"22_CuMtr_s  ", 28},
    {"23_CuMtr_min ", 131},
    {"24_gal_hr    ", 136},
    {"25_l_hr      ", 138},
    {"26_ft_s      ", 20},
    {"27_mtr_s    ", 21},
    {"28_in_s      ", 114},
    {"29_in_min    ", 115},
    {"30_ft_min   ", 116},
    {"31_mtr_hr    ", 120},
    {"32_gal      ", 40},
    {"33_liter    ", 41},
    {"34_CuMtr       ", 43},
    {"35_bbl      ", 46},
    {"36_CuYd     ", 111},
    {"37_CuFt      ", 112},
    {"38_CuIn", 113},
    {"39_bbl_liq      ", 124},
    {"40_ft        ", 44},
    {"41_M    ", 45},
    {"42_in         ", 47},
    {"43_cm       ", 48},
    {"44_mm       ", 49},
    {"45_gram     ", 60},
    {"46_kg        ", 61},
    {"47_MetTon    ", 62},
    {"48_lb       ", 63},
    {"49_ounce     ", 125},
    {"50_g_s       ", 70},
    {"51_g_min     ", 71},
    {"52_g_hr     ", 72},
    {"53_kg_s     ", 73},
    {"54_kg_min   ", 74},
    {"55_metTOM_min ", 77},
    {"56_metton_hr  ", 78},
    {"57_lb_s       ", 80},
    {"58_lb_min     ", 81},
    {"59_lb_hr      ", 82},
    {"60_g_CuCM     ", 91},
    {"61_KG_CuMtr   ", 92},
    {"62_lb_gal    ", 93},
    {"63_lb_Cuft    ", 94},
    {"64_g_ml      ", 95},
    {"65_kb_l       ", 96},
    {"66_g_l        ", 97},
    {"67_centi_stokes ", 54},
    {"68_cpoise       ", 55},
    {"69_mewtom_meter  ", 69},
    {"70_deka_therm    ", 89},
    {"71_foot_pound_force ", 126},
    {"72_kilo_watt_hour    ", 128},
    {"73_mega_joule       ", 164},
    {"74_british_thermal_unit ", 165},
    {"75_%", 57},
    {"76_kg_hr", 75},
    {"77_kg_day", 76},
    {"78_250", 250},
    {"79_mA", 39},
    {"80_ppm", 139},
    {"81_PH", 59},
    {"82_other", -1},
}};

constexpr std::array<int, 256> BuildCodeIndex()
{
    std::array<int, 256> index{};
    for (auto& i : index)
        i = kOtherUnitItem;
    for (int item = 0; item < kUnitItemCount; ++item)
        if (kUnits[static_cast<std::size_t>(item)].code >= 0)
            index[static_cast<std::size_t>(kUnits[static_cast<std::size_t>(item)].code)] = item;
    return index;
}

constexpr auto kCodeIndex = BuildCodeIndex();

} // namespace

std::vector<std::string> UnitList(UnitListControl control)
{
    std::vector<std::string> items;
    items.reserve(kUnitItemCount);
    for (const auto& u : kUnits)
        items.emplace_back(u.text);

    switch (control) {
    case UnitListControl::WEI1:
        items[7] = "07_mbar   ";
        items[14] = "14_tR";
        break;
    case UnitListControl::WEI2:
    case UnitListControl::WEI3:
    case UnitListControl::WEI4:
        items[7] = "07_mbar   ";
        break;
    case UnitListControl::ComboBox6:
        items[14] = "14_tR ";
        break;
    case UnitListControl::ComboBox5:
    case UnitListControl::ComboBox15:
    case UnitListControl::ComboBox16:
        break;
    }
    return items;
}

int UnitCodeToItem(std::uint8_t code) { return kCodeIndex[code]; }

std::uint8_t ItemToUnitCode(int index)
{
    if (index < 0 || index >= kOtherUnitItem)
        return 0;
    return static_cast<std::uint8_t>(kUnits[static_cast<std::size_t>(index)].code);
}

} // namespace codec
