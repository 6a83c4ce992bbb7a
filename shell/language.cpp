#include "language.h"

namespace qeln {

const std::vector<CaptionAssignment>& captionTable()
{
    using K = CaptionKind;
    static const std::vector<CaptionAssignment> table = {
        // information window
        {"AboutBox", "", 50},
        {"AboutBox", "lblproduct", 2},
        {"AboutBox", "title1", 3},
        {"AboutBox", "title2", 4},
        {"AboutBox", "title3", 5},
        {"AboutBox", "title4", 6},
        {"AboutBox", "lblwrittenby", 7},
        {"AboutBox", "lbladdr1", 8},
        {"AboutBox", "lbladdr2", 9},
        {"AboutBox", "lbladdr3", 10},
        {"AboutBox", "lbladdr4", 11},
        {"AboutBox", "lbladdr5", 12},
        {"AboutBox", "lbladdr6", 13},
        {"AboutBox", "lbladdr7", 14},
        {"AboutBox", "lbladdr8", 16},
        {"AboutBox", "lbladdr9", 17},
        {"AboutBox", "lbladdr10", 18},
        {"AboutBox", "lbladdr11", 19},
        {"AboutBox", "lbladdr12", 20},
        {"AboutBox", "lbladdr13", 21},
        {"AboutBox", "OkButton", 90},
        {"AboutBox", "Cancelbutton", 91},
        // print-method dialog
        {"frmprintmet", "", 51},
        {"frmprintmet", "rdgprint", 51},
        {"frmprintmet", "OKBtn", 61},
        {"frmprintmet", "CancelBtn", 62},
        // main menu
        {"frmmain", "mitfile", 33},
        {"frmmain", "mitnew", 34},
        {"frmmain", "mitopen", 35},
        {"frmmain", "mitsave", 36},
        {"frmmain", "mitsaveas", 37},
        {"frmmain", "mitprint", 38},
        {"frmmain", "mitprintsetup", 39},
        {"frmmain", "mitexit", 40},
        {"frmmain", "mitoptions", 41},
        {"frmmain", "mitlanguage", 42},
        {"frmmain", "mitEnglish", 43},
        {"frmmain", "mitFrench", 44},
        {"frmmain", "mitGerman", 45},
        {"frmmain", "mitnewcode", 1660},
        {"frmmain", "mitnewcodeenv", 1651},
        {"frmmain", "mitnewcodeen", 1652},
        {"frmmain", "mithelp", 46},
        {"frmmain", "mitcontents", 47},
        {"frmmain", "mithelpabout", 50},
        // tool-bar hints
        {"frmmain", "tbnew", 54, K::Hint},
        {"frmmain", "tbopen", 55, K::Hint},
        {"frmmain", "tbsave", 56, K::Hint},
        {"frmmain", "tbprint", 57, K::Hint},
        {"frmmain", "tbprintsetup", 58, K::Hint},
        {"frmmain", "tbexit", 59, K::Hint},
        {"frmmain", "tbhelp", 60, K::Hint},
        // project data
        {"frmmain", "btnprojet", 112},
        {"frmprojet", "", 112},
        {"frmmain", "lblinput", 71},
        {"frmmain", "lbloutput", 72},
        {"frmprojet", "lblprojcode", 113},
        {"frmprojet", "lblprojname", 114},
        {"frmprojet", "lblposn", 115},
        {"frmprojet", "lblposname", 116},
        {"frmprojet", "lblbuero", 121},
        {"frmprojet", "lblautor", 117},
        {"frmprojet", "lblkomm", 118},
        {"frmprojet", "lbllastupdatedon", 119},
        {"frmprojet", "lblcreatedon", 120},
        {"frmprojet", "lblchecker", kCheckerLabel},
        {"frmprojet", "lblcheckdate", kCheckDateLabel},
        {"frmprojet", "lblrevision", kRevisionLabel},
        {"frmprojet", "OKBtn", 61},
        {"frmprojet", "CancelBtn", 62},
        {"frmprojet", "HelpBtn", 60},
        // section
        {"frmmain", "btnprofil", 128},
        {"frmprofil", "", 128},
        {"frmprofil", "lblh", 129},
        {"frmprofil", "lblb", 130},
        {"frmprofil", "lbls", 131},
        {"frmprofil", "lblt", 132},
        {"frmprofil", "lblr", 133},
        {"frmprofil", "DBCheckBox1", 138},
        {"frmprofil", "OKBtn", 61},
        {"frmprofil", "CancelBtn", 62},
        {"frmprofil", "HelpBtn", 60},
        // rebars
        {"frmmain", "btnarmat", 144},
        {"frmarmat", "", 144},
        {"frmarmat", "rdgd", 145},
        {"frmarmat", "rdganu", 146},
        {"frmarmat", "rdgvarand", 147},
        {"frmarmat", "lbluc1", 148},
        {"frmarmat", "lbluf1", 149},
        {"frmarmat", "neduc1", 186, K::RangeMessage},
        {"frmarmat", "neduf1", 186, K::RangeMessage},
        {"frmarmat", "nedd", 186, K::RangeMessage},
        {"frmarmat", "OKBtn", 61},
        {"frmarmat", "CancelBtn", 62},
        {"frmarmat", "HelpBtn", 60},
        // materials
        {"frmmain", "btnmater", 160},
        {"frmmater", "", 160},
        {"frmmater", "lblale", 161},
        {"frmmater", "rdgale", 162},
        {"frmmater", "chbautored", 167},
        {"frmmater", "lblautored", 168},
        {"frmmater", "lblrmc", 163},
        {"frmmater", "rdgrmc", 164},
        {"frmmater", "lblaarl", 165},
        {"frmmater", "rdgaarl", 166},
        {"frmmater", "nedale", 186, K::RangeMessage},
        {"frmmater", "nedrmc", 186, K::RangeMessage},
        {"frmmater", "nedaarl", 186, K::RangeMessage},
        {"frmmater", "lblphit", 1655},
        {"frmmater", "lblphit", 1656, K::Hint},
        {"frmmater", "nedphit", 1656, K::Hint},
        {"frmmater", "nedphit", 186, K::RangeMessage},
        {"frmmater", "lbldg", 1943},
        {"frmmater", "lbldg", 1944, K::Hint},
        {"frmmater", "neddg", 1944, K::Hint},
        {"frmmater", "neddg", 186, K::RangeMessage},
        {"frmmater", "OKBtn", 61},
        {"frmmater", "CancelBtn", 62},
        {"frmmater", "HelpBtn", 60},
        // partial factors
        {"frmmain", "btngammamat", 272},
        {"frmgamat", "", 272},
        {"frmgamat", "rdgcode", 1650},
        {"frmgamat", "rdgcode", 1654, K::Hint},
        {"frmgamat", "lblcodenote", 1654},
        {"frmgamat", "lblserviceconditions", 273},
        {"frmgamat", "lblfireconditions", 274},
        {"frmgamat", "lblexample_values", 279},
        {"frmgamat", "lblSteelprofile", 276},
        {"frmgamat", "lblconcrete", 277},
        {"frmgamat", "lblrebarsteel", 278},
        {"frmgamat", "lbl_g_c_a", 280},
        {"frmgamat", "lbl_g_c_c", 281},
        {"frmgamat", "lbl_g_c_r", 282},
        {"frmgamat", "lbl_g_f_a", 283},
        {"frmgamat", "lbl_g_f_c", 284},
        {"frmgamat", "lbl_g_f_r", 285},
        {"frmgamat", "nedgamma_cold_steelprofile", 186, K::RangeMessage},
        {"frmgamat", "Nedgamma_cold_concrete", 186, K::RangeMessage},
        {"frmgamat", "Nedgamma_cold_steelrebar", 186, K::RangeMessage},
        {"frmgamat", "Nedgamma_fire_steelprofile", 186, K::RangeMessage},
        {"frmgamat", "Nedgamma_fire_concrete", 186, K::RangeMessage},
        {"frmgamat", "Nedgamma_fire_steelrebar", 186, K::RangeMessage},
        {"frmgamat", "OKBtn", 61},
        {"frmgamat", "CancelBtn", 62},
        {"frmgamat", "HelpBtn", 60},
        // buckling lengths
        {"frmmain", "btnflamb", 176},
        {"frmflamb", "", 176},
        {"frmflamb", "lblstitle", 177},
        {"frmflamb", "lblsweak", 178},
        {"frmflamb", "lblsstrong", 179},
        {"frmflamb", "lblftitle", 180},
        {"frmflamb", "lblfweak", 178},
        {"frmflamb", "lblfstrong", 179},
        {"frmflamb", "lblremtitle", 181},
        {"frmflamb", "lblrem", 182},
        {"frmflamb", "nedsweak", 186, K::RangeMessage},
        {"frmflamb", "nedsstrong", 186, K::RangeMessage},
        {"frmflamb", "nedfweak", 186, K::RangeMessage},
        {"frmflamb", "nedfstrong", 186, K::RangeMessage},
        {"frmflamb", "lblmtitle", 1733},
        {"frmflamb", "lbllength", 1722},
        {"frmflamb", "grpframe", 1723},
        {"frmflamb", "rbbraced", 1724},
        {"frmflamb", "rbsway", 1725},
        {"frmflamb", "grpstorey", 1726},
        {"frmflamb", "rbintermediate", 1727},
        {"frmflamb", "rbtop", 1728},
        {"frmflamb", "btnpropose", 1734},
        {"frmflamb", "nedlength", 186, K::RangeMessage},
        {"frmflamb", "OKBtn", 61},
        {"frmflamb", "CancelBtn", 62},
        {"frmflamb", "HelpBtn", 60},
        // eccentricities
        {"frmmain", "btnexcent", 192},
        {"frmexcent", "", 192},
        {"frmexcent", "lblexsw", 193},
        {"frmexcent", "lblexst", 194},
        {"frmexcent", "lblpcp", 195},
        {"frmexcent", "lblrweak", 1657},
        {"frmexcent", "lblrstrong", 1658},
        {"frmexcent", "lblrweak", 1659, K::Hint},
        {"frmexcent", "lblrstrong", 1659, K::Hint},
        {"frmexcent", "nedrweak", 1659, K::Hint},
        {"frmexcent", "nedrstrong", 1659, K::Hint},
        {"frmexcent", "nedrweak", 186, K::RangeMessage},
        {"frmexcent", "nedrstrong", 186, K::RangeMessage},
        {"frmexcent", "OKBtn", 61},
        {"frmexcent", "CancelBtn", 62},
        {"frmexcent", "HelpBtn", 60},
        // design loads
        {"frmmain", "btnloads", 1210},
        {"frmloads", "", 1210},
        {"frmloads", "lblned", 1211},
        {"frmloads", "lblnfied", 1212},
        {"frmloads", "lbletafi", 1215},
        {"frmloads", "btnetafi", 1216},
        {"frmloads", "rdgclass", 1213},
        {"frmloads", "lblswapped", 1227},
        {"frmloads", "grpmoments", 1738},
        {"frmloads", "lblmtop", 1739},
        {"frmloads", "lblmbottom", 1740},
        {"frmloads", "lblmhint", 1741},
        {"frmloads", "nedned", 186, K::RangeMessage},
        {"frmloads", "nednfied", 186, K::RangeMessage},
        {"frmloads", "nedetafi", 186, K::RangeMessage},
        {"frmloads", "nedmytop", 186, K::RangeMessage},
        {"frmloads", "nedmybottom", 186, K::RangeMessage},
        {"frmloads", "nedmztop", 186, K::RangeMessage},
        {"frmloads", "nedmzbottom", 186, K::RangeMessage},
        {"frmloads", "nedmyfitop", 186, K::RangeMessage},
        {"frmloads", "nedmyfibottom", 186, K::RangeMessage},
        {"frmloads", "nedmzfitop", 186, K::RangeMessage},
        {"frmloads", "nedmzfibottom", 186, K::RangeMessage},
        {"frmloads", "OKBtn", 61},
        {"frmloads", "CancelBtn", 62},
        {"frmloads", "HelpBtn", 60},
        {"frmresult", "grpcheck", 1217},
        // section search
        {"frmmain", "btnfindsection", 1263},
        {"frmsearch", "", 1264},
        {"frmsearch", "lblloads", 1271},
        {"frmsearch", "grpfamilies", 1265},
        {"frmsearch", "lblmaxh", 1266},
        {"frmsearch", "lblmaxb", 1267},
        {"frmsearch", "lbldiameters", 1268},
        {"frmsearch", "lbllayouts", 1269},
        {"frmsearch", "btnrunsearch", 1270},
        {"frmsearch", "btnstop", 1481},
        {"frmsearch", "lblcounttitle", 1280},
        {"frmsearch", "lbltarget", 1784},
        {"frmsearch", "lblrank", 1785},
        {"frmsearch", "lblprices", 1788},
        {"frmsearch", "nedtarget", 186, K::RangeMessage},
        {"frmsearch", "nedpricesteel", 186, K::RangeMessage},
        {"frmsearch", "nedpricerebars", 186, K::RangeMessage},
        {"frmsearch", "nedpriceconcrete", 186, K::RangeMessage},
        {"frmsearch", "nedmaxh", 186, K::RangeMessage},
        {"frmsearch", "nedmaxb", 186, K::RangeMessage},
        {"frmsearch", "OKBtn", 1281},
        {"frmsearch", "CancelBtn", 62},
        {"frmsearch", "HelpBtn", 60},
        // output windows
        {"frmmain", "btnresult", 208},
        {"frmresult", "", 208},
        {"frmresult", "grpres", 209},
        {"frmresult", "grpwarn", 210},
        {"frmmain", "btndetail", 224},
        {"frmdetail", "", 224},
        {"frmmain", "btngrafik", 260},
        {"frmgrafik", "", 260},
        {"frmresult", "OKBtn", 1389},
        {"frmresult", "HelpBtn", 60},
        {"frmdetail", "OKBtn", 1389},
        {"frmdetail", "HelpBtn", 60},
        {"frmgrafik", "OKBtn", 1389},
        {"frmgrafik", "HelpBtn", 60},
        {"frmmain", "btndiagrams", 1315},
        {"frmdiagrams", "", 1315},
        {"frmdiagrams", "OKBtn", 1389},
        {"frmdiagrams", "HelpBtn", 60},
        // warnings-and-errors window
        {"frmwarn", "gpbwarnings", 210},
        {"frmwarn", "gpberrors", 211},
    };
    return table;
}

std::string labelColon(Language language)
{
    switch (language) {
    case Language::English: return ": ";
    case Language::French: return "\u00a0: ";
    case Language::German: return ": ";
    }
    return ": ";
}

std::string helpFileFor(Language language)
{
    switch (language) {
    case Language::English: return "qeln-eng.hlp";
    case Language::French: return "qeln-fra.hlp";
    case Language::German: return "qeln-deu.hlp";
    }
    return "qeln-eng.hlp";
}

std::string helpLanguageCode(Language language) { return std::string(languageCode(language)); }

std::string helpPageFor(int helpContext)
{
    switch (helpContext) {
    case kHelpMain: return "main.html";
    case kHelpProject: return "project.html";
    case kHelpSection: return "section.html";
    case kHelpRebars: return "rebars.html";
    case kHelpMaterials: return "materials.html";
    case kHelpSafety: return "safety.html";
    case kHelpBuckling: return "buckling.html";
    case kHelpEccentricities: return "eccentricities.html";
    case kHelpResults: return "results.html";
    case kHelpDetails: return "details.html";
    case kHelpGraphic: return "graphic.html";
    case kHelpLoads: return "loads.html";
    case kHelpSearch: return "search.html";
    case kHelpSchedule: return "schedule.html";
    case kHelpDiagrams: return "diagrams.html";
    default: return "contents.html";
    }
}

} // namespace qeln
