// Identifiers shared by the resource library (Kol6gi1.rc) and MARTENUI.
// These numbers are the interface between the two libraries: never renumber.
// Plain #defines only, so that windres can read this header too.
#ifndef MARTENUI_RESOURCE_IDS_H
#define MARTENUI_RESOURCE_IDS_H

// ---- Dialog templates -------------------------------------------------------
#define IDD_PAPER_LAYOUT_V1        1014
#define IDD_PAPER_LAYOUT           1028
#define IDD_HANDLING_V1            1021
#define IDD_HANDLING               1033
#define IDD_QUALITY_V1             1022
#define IDD_QUALITY                1029
#define IDD_FONTS_V1               1023
#define IDD_FONTS                  1032
#define IDD_DEVICE_OPTIONS_V1      1024
#define IDD_DEVICE_OPTIONS         1034
#define IDD_FONT_SUBSTITUTION_V1   1025
#define IDD_FONT_SUBSTITUTION      1031
#define IDD_ABOUT_V1               1026
#define IDD_ABOUT                  167
#define IDD_USER_SIZE_V1           1027
#define IDD_USER_SIZE              166

// ---- Strings ----------------------------------------------------------------
// TrueType faces of the default font substitution table.
#define IDS_FACE_ARIAL                     52
#define IDS_FACE_ARIAL_BOLD                53
#define IDS_FACE_ARIAL_BOLD_ITALIC         54
#define IDS_FACE_ARIAL_ITALIC              55
#define IDS_FACE_COURIER_NEW               56
#define IDS_FACE_COURIER_NEW_BOLD          57
#define IDS_FACE_COURIER_NEW_BOLD_ITALIC   58
#define IDS_FACE_COURIER_NEW_ITALIC        59
#define IDS_FACE_TIMES                     60
#define IDS_FACE_TIMES_BOLD                61
#define IDS_FACE_TIMES_BOLD_ITALIC         62
#define IDS_FACE_TIMES_ITALIC              63
#define IDS_FACE_SYMBOL                    64
#define IDS_FACE_WINGDINGS                 65
#define IDS_DOWNLOAD_TRUETYPE              651
#define IDS_COLUMN_TRUETYPE_FONTS          670
#define IDS_COLUMN_PRINTER_FONTS           671
#define IDS_WARNING                        680
#define IDS_CONFIRM_CLEAR_FONT_SUBS        681
// Paper names.
#define IDS_PAPER_A3                       2101
#define IDS_PAPER_B4                       2102
#define IDS_PAPER_A4                       2103
#define IDS_PAPER_B5                       2104
#define IDS_PAPER_A5                       2105
#define IDS_PAPER_LETTER                   2106
#define IDS_PAPER_LEGAL                    2107
#define IDS_PAPER_POSTCARD                 2108
#define IDS_PAPER_USER                     2109
// Paper sources.
#define IDS_BIN_AUTO                       2110
#define IDS_BIN_TRAY1                      2111
#define IDS_BIN_TRAY2                      2112
#define IDS_BIN_TRAY3                      2113
#define IDS_BIN_TRAY4                      2114
#define IDS_BIN_BYPASS                     2115
// Page titles.
#define IDS_TITLE_PAPER_LAYOUT             2116
#define IDS_TITLE_HANDLING                 2117
#define IDS_TITLE_QUALITY                  2118
#define IDS_TITLE_FONTS                    2119
#define IDS_TITLE_DEVICE_OPTIONS           2120
#define IDS_TITLE_FONT_SUBSTITUTION        2121
// More paper names.
#define IDS_PAPER_LEDGER                   2128
#define IDS_PAPER_INVOICE                  2129
#define IDS_PAPER_FLS1                     2130
#define IDS_PAPER_FLS2                     2131
#define IDS_PAPER_ENV_DL                   2132
#define IDS_PAPER_ENV_C5                   2133
#define IDS_PAPER_ENV_10                   2134
#define IDS_PAPER_MONARCH                  2135
#define IDS_PAPER_ENV_B5                   2136
#define IDS_PAPER_ENV_C4                   2137
#define IDS_PAPER_CHOU1                    2138
#define IDS_PAPER_CHOU2                    2139
#define IDS_PAPER_CHOU3                    2140
#define IDS_PAPER_CHOU4                    2141
#define IDS_PAPER_KAKU1                    2142
#define IDS_PAPER_KAKU2                    2143
#define IDS_PAPER_KAKU3                    2144
// Paper/Layout and Handling texts.
#define IDS_MAGNIFY_NONE                   2149
#define IDS_OVERLAY_IMAGE_FORMAT           2150
#define IDS_OVERLAY_NONE                   2152
#define IDS_MAGNIFY_ARROW                  2153
#define IDS_SIZE_FORMAT_MM                 2154
#define IDS_SIZE_FORMAT_INCH               2155
#define IDS_PATTERN_FORMAT                 2156
#define IDS_OUTBIN_AUTO                    2160
#define IDS_OUTBIN_INNER1                  2161
#define IDS_OUTBIN_INNER2                  2162
#define IDS_OUTBIN_OUTER                   2163
// About dialog.
#define IDS_PRODUCT_TITLE                  2165
#define IDS_NOTICE_LINE1                   2166
#define IDS_NOTICE_LINE2                   2167
#define IDS_NOTICE_LINE3                   2168
#define IDS_ALL_RIGHTS_RESERVED            2169
#define IDS_RELEASE_DATE_V1                2170
#define IDS_VERSION_V1                     2171
#define IDS_RANGE_FORMAT                   2174
#define IDS_STAPLE_OFF                     2175
#define IDS_STAPLE_ON                      2176
#define IDS_ABOUT_CAPTION                  2177
#define IDS_USER_SIZE_TITLE                2178
#define IDS_PASSWORD_WARNING               2179
#define IDS_DUPLEX_PAPER_WARNING           2180
#define IDS_OUTBIN_FINISHER                2182
// Memory choices.
#define IDS_MEMORY_NONE                    2184
#define IDS_MEMORY_2MB                     2185
#define IDS_MEMORY_4MB                     2186
#define IDS_MEMORY_6MB                     2187
#define IDS_MEMORY_8MB                     2188
#define IDS_MEMORY_10MB                    2189
#define IDS_VERSION_DEFAULT                2191
// What a page could not read or save; the platform's reason follows.
#define IDS_OPTIONS_READ_FAILED            2192
#define IDS_OPTIONS_WRITE_FAILED           2193
#define IDS_FONT_SUBS_READ_FAILED          2194
#define IDS_FONT_SUBS_WRITE_FAILED         2195
#define IDS_USER_SETTINGS_WRITE_FAILED     2196

// ---- Icons ------------------------------------------------------------------
#define IDI_FLIP_SHORT_LANDSCAPE   147
#define IDI_FLIP_SHORT_PORTRAIT    148
#define IDI_FLIP_LONG_LANDSCAPE    151
#define IDI_FLIP_LONG_PORTRAIT     152
#define IDI_SHIFT                  174
#define IDI_MARGIN_OFF             175
#define IDI_MARGIN_ON              176
#define IDI_PAPER_A3               2301
#define IDI_PAPER_B4               2302
#define IDI_PAPER_A4               2303
#define IDI_PAPER_B5               2304
#define IDI_PAPER_A5               2305
#define IDI_PAPER_LETTER           2306
#define IDI_PAPER_LEGAL            2307
#define IDI_PAPER_POSTCARD         2308
#define IDI_PAPER_USER             2309
#define IDI_ORIENT_PORTRAIT        2310
#define IDI_ORIENT_LANDSCAPE       2311
#define IDI_NUP1_PORTRAIT          2312
#define IDI_NUP1_LANDSCAPE         2313
#define IDI_NUP2_FIRST             2314   // 2314..2317
#define IDI_NUP4_FIRST             2318   // 2318..2325
// The same pictures one by one: pages in reading order, and the sheet.
#define IDI_NUP2_12_LANDSCAPE      2314
#define IDI_NUP2_21_LANDSCAPE      2315
#define IDI_NUP2_12_PORTRAIT       2316
#define IDI_NUP2_21_PORTRAIT       2317
#define IDI_NUP4_1234_PORTRAIT     2318
#define IDI_NUP4_1324_PORTRAIT     2319
#define IDI_NUP4_2143_PORTRAIT     2320
#define IDI_NUP4_3142_PORTRAIT     2321
#define IDI_NUP4_1234_LANDSCAPE    2322
#define IDI_NUP4_1324_LANDSCAPE    2323
#define IDI_NUP4_2143_LANDSCAPE    2324
#define IDI_NUP4_3142_LANDSCAPE    2325
#define IDI_SORTER_STACK           2328
#define IDI_SORTER_SORT            2329
#define IDI_ROTATE                 2330
#define IDI_PAPER_INVOICE          2331
#define IDI_PAPER_LEDGER           2332
#define IDI_ORDER_REVERSE          2502
#define IDI_ORDER_FORWARD          2503

// ---- Bitmaps ----------------------------------------------------------------
#define IDB_BANNER                 173
#define IDB_BANNER_IMAGE2          2401
#define IDB_BANNER_IMAGE3          2402

// ---- Controls ---------------------------------------------------------------
// A control keeps its number on every template of its page, so one dialog
// procedure serves both templates. Numbers repeat across pages, never within.
#ifndef IDC_STATIC
#define IDC_STATIC                 (-1)
#endif

// Buttons on every property page.
#define IDC_RESTORE_DEFAULTS       1702
#define IDC_ABOUT_BUTTON           1705

// Paper/Layout page.
#define IDC_LAYOUT_PAPER_LABEL     1908
#define IDC_LAYOUT_PAPER_TEXT      1909   // name and size of the selected paper
#define IDC_LAYOUT_PAPER_LIST      2223
#define IDC_LAYOUT_SOURCE_LABEL    1910
#define IDC_LAYOUT_SOURCE_LIST     1302
#define IDC_LAYOUT_ORIENT_GROUP    1101
#define IDC_LAYOUT_ORIENT_ICON     1657
#define IDC_LAYOUT_PORTRAIT        1201
#define IDC_LAYOUT_LANDSCAPE       1202
#define IDC_LAYOUT_COPIES_LABEL    1911   // a group box on the wide template
#define IDC_LAYOUT_COPIES_EDIT     1502
#define IDC_LAYOUT_COPIES_UPDOWN   1602
#define IDC_LAYOUT_COPIES_PRINTER  1115
#define IDC_LAYOUT_COPIES_DRIVER   1116
#define IDC_LAYOUT_ZOOM_LABEL      1913
#define IDC_LAYOUT_ZOOM_EDIT       1503
#define IDC_LAYOUT_ZOOM_UPDOWN     1603
#define IDC_LAYOUT_MAGNIFY_LABEL   1912
#define IDC_LAYOUT_MAGNIFY_LIST    1303
#define IDC_LAYOUT_NUP_GROUP       1102
#define IDC_LAYOUT_NUP_ICON        1658
#define IDC_LAYOUT_NUP_1IN1        1203
#define IDC_LAYOUT_NUP_2IN1        1204
#define IDC_LAYOUT_NUP_4IN1        1205
#define IDC_LAYOUT_POSITION_LABEL  1915
#define IDC_LAYOUT_POSITION_LIST   1305
#define IDC_LAYOUT_TARGET_LABEL    1914
#define IDC_LAYOUT_TARGET_LIST     1304

// Handling page.
#define IDC_HANDLING_SORTER_GROUP  1105
#define IDC_HANDLING_SORTER_ICON   1660
#define IDC_HANDLING_STACK         1210
#define IDC_HANDLING_SORT          1211
#define IDC_HANDLING_ROTATE_ICON   1661
#define IDC_HANDLING_ROTATE        1801
#define IDC_HANDLING_SHIFT_ICON    1113
#define IDC_HANDLING_SHIFT         1109
#define IDC_HANDLING_DUPLEX        1063
#define IDC_HANDLING_FLIP_GROUP    1046
#define IDC_HANDLING_FLIP_ICON     1663
#define IDC_HANDLING_LONG_EDGE     1038
#define IDC_HANDLING_SHORT_EDGE    1039
#define IDC_HANDLING_MARGIN_GROUP  1081
#define IDC_HANDLING_MARGIN_ICON   1114
#define IDC_HANDLING_MARGIN_YES    1076
#define IDC_HANDLING_MARGIN_NO     1075
#define IDC_HANDLING_OUTBIN_LABEL  1079
#define IDC_HANDLING_OUTBIN_LIST   1066
#define IDC_HANDLING_STAPLE_LABEL  1101
#define IDC_HANDLING_STAPLE_LIST   1036
#define IDC_HANDLING_SECURE_GROUP  1106
#define IDC_HANDLING_SECURE_OFF    1107
#define IDC_HANDLING_SECURE_ON     1108
// On the wide template only.
#define IDC_HANDLING_ORDER_GROUP   2501
#define IDC_HANDLING_ORDER_ICON    2504
#define IDC_HANDLING_ORDER_NORMAL  2505
#define IDC_HANDLING_ORDER_REVERSE 2506
#define IDC_HANDLING_OVERLAY_LABEL 1916
#define IDC_HANDLING_OVERLAY_LIST  1306

// Quality page.
#define IDC_QUALITY_RES_GROUP      1107
#define IDC_QUALITY_RES_600        1212
#define IDC_QUALITY_RES_300        1213
#define IDC_QUALITY_SMOOTH_CHECK   1803   // the narrow template's single box
#define IDC_QUALITY_SMOOTH_GROUP   1088
#define IDC_QUALITY_SMOOTH_ON      1089
#define IDC_QUALITY_SMOOTH_OFF     1090
#define IDC_QUALITY_TONER_GROUP    1087
#define IDC_QUALITY_TONER_ON       1091
#define IDC_QUALITY_TONER_OFF      1092
#define IDC_QUALITY_TEXT_GROUP     1122
#define IDC_QUALITY_TEXT_BLACK     1118
#define IDC_QUALITY_TEXT_HALFTONE  1117

// Fonts page.
#define IDC_FONTS_USE_PRINTER      1217
#define IDC_FONTS_PRINTER_NOTE1    1027
#define IDC_FONTS_PRINTER_NOTE2    1922
#define IDC_FONTS_USE_TRUETYPE     1218
#define IDC_FONTS_TRUETYPE_NOTE    1921
#define IDC_FONTS_PRINTER_NOTE3    1933   // named by the page's help only: no template holds it

// Device Options page.
#define IDC_OPTIONS_TRAYS_LABEL    1906
#define IDC_OPTIONS_TRAYS_EDIT     1501
#define IDC_OPTIONS_TRAYS_UPDOWN   1601
#define IDC_OPTIONS_MEMORY_LABEL   1103
#define IDC_OPTIONS_MEMORY_LIST    1102
#define IDC_OPTIONS_SECURE_CHECK   1084
#define IDC_OPTIONS_PASSWORD       1052
#define IDC_OPTIONS_DUPLEX_UNIT    1063
#define IDC_OPTIONS_INNER_TRAY     1062
#define IDC_OPTIONS_OUTER_TRAY     1065
#define IDC_OPTIONS_FINISHER       1104
#define IDC_OPTIONS_BANNER         173

// Font Substitution page.
#define IDC_FONTSUBS_TABLE         1001
#define IDC_FONTSUBS_FACE          1002   // the selected TrueType face
#define IDC_FONTSUBS_LABEL         1028
#define IDC_FONTSUBS_LIST          1003

// About dialog.
#define IDC_ABOUT_MODEL            1901
#define IDC_ABOUT_TITLE            1902
#define IDC_ABOUT_NOTICE           1903
#define IDC_ABOUT_FILES            1401
#define IDC_ABOUT_RELEASE          1905
#define IDC_ABOUT_OK               1701

// User Size dialog (OK and Cancel are IDOK and IDCANCEL).
#define IDC_USERSIZE_SIZE_GROUP    1109
#define IDC_USERSIZE_WIDTH_RANGE   1926
#define IDC_USERSIZE_WIDTH_EDIT    1504
#define IDC_USERSIZE_WIDTH_UPDOWN  1068
#define IDC_USERSIZE_HEIGHT_RANGE  1928
#define IDC_USERSIZE_HEIGHT_EDIT   1505
#define IDC_USERSIZE_HEIGHT_UPDOWN 1070
#define IDC_USERSIZE_UNIT_GROUP    1110
#define IDC_USERSIZE_INCH          1219
#define IDC_USERSIZE_MM            1220

#endif
