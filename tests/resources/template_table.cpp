#include "template_table.h"

#include "resources/resource_ids.h"

namespace {

using K = Kind;

std::vector<ControlRow> Join(std::vector<ControlRow> first, const std::vector<ControlRow>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::vector<ControlRow> kPageButtons = {
    {1702, K::Button, L"&Restore Defaults"},
    {1705, K::Button, L"A&bout..."},
};

const std::vector<ControlRow> kPaperLayoutCommon = {
    {1908, K::Label, L"Paper Si&ze"},
    {1909, K::Label, L"Name  < XXX.Xmm x XXX.X mm >"},
    {2223, K::PaperIcons, L""},
    {1910, K::Label, L"Paper &Source"},
    {1302, K::DropList, L""},
    {1101, K::Frame, L"Orientation"},
    {1657, K::Picture, L""},
    {1201, K::FirstRadio, L"&Portrait"},
    {1202, K::Radio, L"&Landscape"},
    {1502, K::Number, L""},
    {1602, K::UpDown, L""},
    {1913, K::Label, L"Z&oom"},
    {1503, K::Number, L""},
    {1603, K::UpDown, L""},
    {1912, K::Label, L"&Magnify"},
    {1303, K::DropList, L""},
    {1102, K::Frame, L"N in 1"},
    {1658, K::Picture, L""},
    {1203, K::FirstRadio, L"&1 in 1"},
    {1204, K::Radio, L"&2 in 1"},
    {1205, K::Radio, L"&4 in 1"},
    {1915, K::Label, L"Pos&ition"},
    {1305, K::DropList, L""},
    {1914, K::Label, L"&Target Paper"},
    {1304, K::DropList, L""},
};

const std::vector<ControlRow> kHandlingSorter = {
    {1105, K::Frame, L"Sorter "},
    {1660, K::Picture, L""},
    {1210, K::FirstRadio, L"Stac&k "},
    {1661, K::Picture, L""},
};

const std::vector<ControlRow> kFonts = {
    {1217, K::FirstRadio, L"Use &printer fonts instead of TrueType fonts "},
    {1027, K::Note, L"The Font Substitution Table specifies which "},
    {1922, K::Note, L"TrueType fonts should be replaced with printer fonts."},
    {1218, K::Radio, L"Always use &TrueType fonts "},
    {1921, K::Note, L"The printing speed gets slower, but what you see \non the display will exactly be printed out."},
};

const std::vector<ControlRow> kDeviceOptionsTrays = {
    {1906, K::Label, L"&Number of Paper Tray"},
    {1501, K::Number, L""},
    {1601, K::UpDown, L""},
};

const std::vector<ControlRow> kFontSubstitution = {
    {1001, K::FontTable, L""},
    {1028, K::Label, L"&Substituted printer fonts :"},
    {1002, K::Label, L"TrueType fonts Name."},
    {1003, K::DropList, L""},
};

const std::vector<ControlRow> kAbout = {
    {1901, K::CentredLabel, L"Velofax QX-320 EP 6"},
    {1902, K::CentredLabel, L"Velofax Page Printer Driver"},
    {1903, K::CentredLabel,
     L"Copyright (C) 2002 The MARTENUI Developers.\nUser interface, resources and help: the MARTENUI project.\n"
     L"Model profiles and printing module: the Velofax driver team.\nAll rights reserved."},
    {1401, K::FileList, L""},
    {1905, K::CentredLabel, L"MM/DD/YYYY"},
    {1701, K::DefaultButton, L"OK"},
};

const std::vector<ControlRow> kUserSize = {
    {1109, K::Frame, L"Paper Size"},
    {1926, K::Label, L"Range < xxxx - xxxx >"},
    {IDC_STATIC, K::Label, L"&Width"},
    {1504, K::Number, L""},
    {1068, K::UpDown, L""},
    {1928, K::Label, L"Range < xxxx - xxxx >"},
    {IDC_STATIC, K::Label, L"&Height"},
    {1505, K::Number, L""},
    {1070, K::UpDown, L""},
    {1110, K::Frame, L"Unit"},
    {1219, K::FirstRadio, L"0.01 &Inch"},
    {1220, K::Radio, L"0.1 &mm"},
    {IDOK, K::DefaultButton, L"OK"},
    {IDCANCEL, K::Button, L"Cancel"},
};

}  // namespace

const std::vector<TemplateRow>& AllTemplates()
{
    static const std::vector<TemplateRow> templates = {
        {1014, L"Paper/Layout", 268, 246, true,
         Join(Join(kPaperLayoutCommon, {{1911, K::Label, L"&Copies"}}), kPageButtons)},
        {1028, L"Paper/Layout", 287, 247, true,
         Join(Join(kPaperLayoutCommon, {{1911, K::Frame, L"&Copies"},
                                        {1115, K::FirstRadio, L"Pri&nter controlled"},
                                        {1116, K::Radio, L"Printer Driver controll&ed"}}),
              kPageButtons)},
        {1021, L"Handling", 266, 246, true,
         Join(Join(kHandlingSorter, {{1211, K::Radio, L"S&ort "}, {1801, K::Check, L"Ro&tate"}}), kPageButtons)},
        {1033, L"Handling", 287, 247, true,
         Join(Join(kHandlingSorter, {
                                        {1211, K::Radio, L"Sor&t "},
                                        {2501, K::Frame, L"Output Order"},
                                        {2504, K::Picture, L""},
                                        {2505, K::FirstRadio, L"Nor&mal Order"},
                                        {2506, K::Radio, L"Re&verse Order"},
                                        {1801, K::Check, L"Rotat&e"},
                                        {1113, K::Picture, L""},
                                        {1109, K::Check, L"S&hift "},
                                        {1063, K::Check, L"Printing on both sides (&Duplex)"},
                                        {1046, K::Frame, L"Flipping Direction"},
                                        {1663, K::Picture, L""},
                                        {1038, K::FirstRadio, L"&Long Edge"},
                                        {1039, K::Radio, L"&Short Edge"},
                                        {1081, K::Frame, L"Binding Margin"},
                                        {1114, K::Picture, L""},
                                        {1076, K::FirstRadio, L"&Yes"},
                                        {1075, K::Radio, L"&No"},
                                        {1079, K::Label, L"O&utput Tray"},
                                        {1066, K::DropList, L""},
                                        {1101, K::Label, L"Sta&ple"},
                                        {1036, K::DropList, L""},
                                        {1916, K::Label, L"Overlay"},
                                        {1306, K::DropList, L""},
                                        {1106, K::Frame, L"Security print"},
                                        {1107, K::FirstRadio, L"O&ff"},
                                        {1108, K::Radio, L"&On"},
                                    }),
              kPageButtons)},
        {1022, L"Quality", 266, 247, true,
         Join({{1107, K::Frame, L"Resolution"},
               {1212, K::FirstRadio, L"&600 dpi (An Expansion D-RAM Card is required)"},
               {1213, K::Radio, L"&300 dpi"},
               {1803, K::Check, L"&Smoothing"}},
              kPageButtons)},
        {1029, L"Quality", 287, 247, true,
         Join({{1107, K::Frame, L"Resolution"},
               {1212, K::FirstRadio, L"&600 dpi"},
               {1213, K::Radio, L"&300 dpi"},
               {1088, K::Frame, L"Smoothing", true},
               {1089, K::FirstRadio, L"&Have"},
               {1090, K::Radio, L"Non&e"},
               {1087, K::Frame, L"Toner Save", true},
               {1091, K::FirstRadio, L"O&n"},
               {1092, K::Radio, L"O&ff"},
               {1122, K::Frame, L"Text Color"},
               {1118, K::FirstRadio, L"Print all text as b&lack"},
               {1117, K::Radio, L"Print colored &text with halftone "}},
              kPageButtons)},
        {1023, L"Fonts", 266, 247, true, Join(kFonts, kPageButtons)},
        {1032, L"Fonts", 287, 247, true, Join(kFonts, kPageButtons)},
        {1024, L"Device Options", 259, 226, true, Join(kDeviceOptionsTrays, kPageButtons)},
        {1034, L"Device Options", 259, 226, true,
         Join(Join({{173, K::Banner, L""}}, kDeviceOptionsTrays),
              Join({{1103, K::Label, L"&Printer/Fax Memory"},
                    {1102, K::DropList, L""},
                    {1084, K::Check, L"&Security Print Password "},
                    {1052, K::Password, L""},
                    {1063, K::Check, L"&Duplex Unit"},
                    {1062, K::Check, L"&Inner Tray"},
                    {1065, K::Check, L"&Outer Tray"},
                    {1104, K::Check, L"&Finisher "}},
                   kPageButtons))},
        {1025, L"Font Substitution", 258, 225, true, Join(kFontSubstitution, kPageButtons)},
        {1031, L"Font Substitution", 258, 225, true, Join(kFontSubstitution, kPageButtons)},
        {1026, L"About printer driver", 281, 183, false, kAbout},
        {167, L"About printer driver", 278, 183, false, kAbout},
        {1027, L"User Size", 193, 106, false, kUserSize},
        {166, L"User Size", 193, 106, false, kUserSize},
    };
    return templates;
}
