// The document settings record: the public device-mode header (the platform's
// DEVMODEW, 220 bytes) followed by the driver's private extension (3868
// bytes): the render block for the rendering module, then the choice block
// that the property pages edit, which begins with "TIEM".
//
// A stored format (spooler, registry, shared memory, rendering module):
// 4088 bytes, little-endian, every offset fixed. Copy it whole, or by
// dmSize + dmDriverExtra.
#ifndef MARTENUI_DOCUMENT_SETTINGS_H
#define MARTENUI_DOCUMENT_SETTINGS_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

constexpr int kDeviceNameChars = 32;
constexpr int kFormNameChars = 32;
constexpr int kDeviceFontChars = 32;
constexpr int kRenderTextLongChars = 64;
constexpr int kRenderTextShortChars = 32;
constexpr int kRenderWordCount = 18;
constexpr int kJobIdentificationBytes = 128;
constexpr int kPjlHeaderBytes = 640;
constexpr int kPjlTrailerBytes = 256;

struct DocumentSettings {
    // ---- Public header: DEVMODEW ------------------------------------------
    WCHAR dmDeviceName[kDeviceNameChars];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;                      // 220
    WORD dmDriverExtra;               // 3868
    DWORD dmFields;
    int16_t dmOrientation;            // 1 portrait, 2 landscape
    int16_t dmPaperSize;              // paper code; 256 = user-defined
    int16_t dmPaperLength;            // 0.1 mm
    int16_t dmPaperWidth;             // 0.1 mm
    int16_t dmScale;
    int16_t dmCopies;
    int16_t dmDefaultSource;          // bin code
    int16_t dmPrintQuality;           // -3 (300 dpi) or -4 (600 dpi)
    int16_t dmColor;
    int16_t dmDuplex;                 // 1 simplex, 2 long edge, 3 short edge
    int16_t dmYResolution;
    int16_t dmTTOption;               // 1 bitmap, 2 download, 3 substitute
    int16_t dmCollate;
    WCHAR dmFormName[kFormNameChars];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmICMMethod;
    DWORD dmICMIntent;
    DWORD dmMediaType;
    DWORD dmDitherType;
    DWORD dmReserved1;
    DWORD dmReserved2;
    DWORD dmPanningWidth;
    DWORD dmPanningHeight;

    // ---- Render block: prepared for the rendering module -------------------
    uint32_t privateSignature;        // 0xCACA0001
    int32_t substituteFontValue;      // 45 when dmTTOption is 3, else 0
    int32_t renderReserved;
    WCHAR fixedPitchDeviceFont[kDeviceFontChars];
    WCHAR proportionalDeviceFont[kDeviceFontChars];
    int32_t renderParamA;             // opaque to this library
    int32_t renderParamB;
    uint8_t reserved368[8];
    int32_t memoryCode;               // the model's memory, 1..4
    int32_t resolutionDpi;            // 600 or 300
    uint8_t reserved384[2];
    int16_t driverCollate;            // 1 = the driver sorts the copies
    int16_t scalingMode;              // 0 none, 1 fit to a paper, 2 zoom
    int16_t scalingValue;             // target paper code or zoom percent
    int16_t targetPaperLength;        // 0.1 mm
    int16_t targetPaperWidth;         // 0.1 mm
    int16_t bookletOutput;
    uint8_t reserved398[2];
    int32_t pagesPerSheetCode;
    uint8_t reserved404[20];
    uint8_t reserved424[4];
    WCHAR renderTextLong[kRenderTextLongChars];     // opaque to this library
    WCHAR renderTextShort[kRenderTextShortChars];   // opaque to this library
    uint8_t reserved620[20];
    int32_t renderParamC;             // opaque to this library
    int32_t renderParamD;             // opaque to this library
    int16_t renderWordTable[kRenderWordCount];      // opaque to this library
    uint8_t reserved684[12];
    char jobIdentification[kJobIdentificationBytes];  // ANSI, terminated
    char pjlHeader[kPjlHeaderBytes];                  // ANSI, terminated
    char pjlTrailer[kPjlTrailerBytes];                // ANSI, terminated
    uint8_t reserved1720[82];
    int16_t blackText;
    int16_t colorCount;
    uint8_t reserved1806[4];
    int16_t reverseOrder;
    uint8_t reserved1812[12];
    uint32_t renderFlagWord;          // 0x40000000
    uint8_t reserved1828[52];
    int16_t renderFinalMark;          // 1 once finalized for printing
    uint8_t reserved1882[158];

    // ---- Choice block: the user's choices as the pages store them ----------
    uint32_t choiceMagic;             // "TIEM"
    int32_t trueTypeAsGraphics;
    int16_t zoomEntry;
    uint8_t reserved2050[6];
    int16_t handlingListChoice;
    uint8_t reserved2058[2];
    int32_t sorterMode;               // 0 stack, 1 sort
    int32_t orderChoice;
    int32_t tonerSaveByDriver;
    int16_t choiceParamA;             // opaque to this library
    uint8_t reserved2074[4];
    int16_t choiceParamTriple[3];     // opaque to this library
    uint8_t reserved2084[2];
    int16_t choiceParamB;             // opaque to this library
    uint8_t reserved2088[8];
    int16_t trayCountSnapshot;
    uint8_t reserved2098[66];
    int16_t userPaperWidth;           // 0.1 mm
    int16_t userPaperLength;          // 0.1 mm
    int32_t userPaperMetric;
    int32_t userSizeUnit;
    int16_t zoomPercent;
    int16_t nUpPosition;
    int16_t magnifyPaper;             // paper code
    int16_t layoutMode;               // 0 zoom, 1 magnify, 2 two in one, 3 four in one
    int16_t nUpPaper;                 // paper code
    uint8_t reserved2186[2];
    int32_t choiceParamC;             // opaque to this library
    int32_t rotate;
    int32_t smoothing;
    int32_t useDeviceFonts;
    uint8_t reserved2204[4];
    int16_t staple;                   // staple parameter index
    uint8_t reserved2210[2];
    int32_t duplexOn;
    int16_t duplexBinding;            // 1 long edge, 2 short edge
    uint8_t reserved2218[2];
    int32_t bindingMargin;
    int32_t tonerSave;
    int16_t booklet;
    int16_t bookletPaper;             // paper code
    int32_t securityPrint;
    int16_t outputBin;                // 0 auto, 1..3 OUTBIN1..OUTBIN3
    uint8_t reserved2238[2];
    int32_t shift;
    int32_t driverControlsSort;       // 0 the printer sorts, 1 the driver
    int32_t blackTextChoice;
    uint8_t reserved2252[1836];
};

constexpr WORD kSettingsSpecVersion = 0x0401;
constexpr WORD kSettingsDriverVersion = 0x080F;
constexpr WORD kSettingsHeaderBytes = 220;
constexpr WORD kSettingsPrivateBytes = 3868;
constexpr size_t kSettingsBytes = 4088;
constexpr uint32_t kPrivateSignature = 0xCACA0001;
constexpr uint32_t kChoiceMagic = 0x4D454954;   // "TIEM" read little-endian
constexpr DWORD kSettingsFields = 0xF703;

// The first bytes of every device mode, up to and including dmDriverExtra:
// what must be readable before a record's own sizes can be looked at.
constexpr size_t kDeviceModeSizeFieldsEnd = 72;

static_assert(sizeof(DocumentSettings) == kSettingsBytes, "DocumentSettings is a stored record");
static_assert(sizeof(DEVMODEW) == kSettingsHeaderBytes, "the public header is the platform's DEVMODEW");
static_assert(offsetof(DEVMODEW, dmFields) == 72 && offsetof(DEVMODEW, dmFormName) == 102 &&
                  offsetof(DEVMODEW, dmLogPixels) == 166 && offsetof(DEVMODEW, dmPanningHeight) == 216,
              "the platform's DEVMODEW layout");

// Public header.
static_assert(offsetof(DocumentSettings, dmDeviceName) == 0, "layout");
static_assert(offsetof(DocumentSettings, dmSpecVersion) == 64, "layout");
static_assert(offsetof(DocumentSettings, dmDriverVersion) == 66, "layout");
static_assert(offsetof(DocumentSettings, dmSize) == 68, "layout");
static_assert(offsetof(DocumentSettings, dmDriverExtra) == 70, "layout");
static_assert(offsetof(DocumentSettings, dmFields) == 72, "layout");
static_assert(offsetof(DocumentSettings, dmOrientation) == 76, "layout");
static_assert(offsetof(DocumentSettings, dmPaperSize) == 78, "layout");
static_assert(offsetof(DocumentSettings, dmPaperLength) == 80, "layout");
static_assert(offsetof(DocumentSettings, dmPaperWidth) == 82, "layout");
static_assert(offsetof(DocumentSettings, dmScale) == 84, "layout");
static_assert(offsetof(DocumentSettings, dmCopies) == 86, "layout");
static_assert(offsetof(DocumentSettings, dmDefaultSource) == 88, "layout");
static_assert(offsetof(DocumentSettings, dmPrintQuality) == 90, "layout");
static_assert(offsetof(DocumentSettings, dmColor) == 92, "layout");
static_assert(offsetof(DocumentSettings, dmDuplex) == 94, "layout");
static_assert(offsetof(DocumentSettings, dmYResolution) == 96, "layout");
static_assert(offsetof(DocumentSettings, dmTTOption) == 98, "layout");
static_assert(offsetof(DocumentSettings, dmCollate) == 100, "layout");
static_assert(offsetof(DocumentSettings, dmFormName) == 102, "layout");
static_assert(offsetof(DocumentSettings, dmLogPixels) == 166, "layout");
static_assert(offsetof(DocumentSettings, dmBitsPerPel) == 168, "layout");
static_assert(offsetof(DocumentSettings, dmPelsWidth) == 172, "layout");
static_assert(offsetof(DocumentSettings, dmPelsHeight) == 176, "layout");
static_assert(offsetof(DocumentSettings, dmDisplayFlags) == 180, "layout");
static_assert(offsetof(DocumentSettings, dmDisplayFrequency) == 184, "layout");
static_assert(offsetof(DocumentSettings, dmICMMethod) == 188, "layout");
static_assert(offsetof(DocumentSettings, dmICMIntent) == 192, "layout");
static_assert(offsetof(DocumentSettings, dmMediaType) == 196, "layout");
static_assert(offsetof(DocumentSettings, dmDitherType) == 200, "layout");
static_assert(offsetof(DocumentSettings, dmReserved1) == 204, "layout");
static_assert(offsetof(DocumentSettings, dmReserved2) == 208, "layout");
static_assert(offsetof(DocumentSettings, dmPanningWidth) == 212, "layout");
static_assert(offsetof(DocumentSettings, dmPanningHeight) == 216, "layout");

// Render block.
static_assert(offsetof(DocumentSettings, privateSignature) == 220, "layout");
static_assert(offsetof(DocumentSettings, substituteFontValue) == 224, "layout");
static_assert(offsetof(DocumentSettings, renderReserved) == 228, "layout");
static_assert(offsetof(DocumentSettings, fixedPitchDeviceFont) == 232, "layout");
static_assert(offsetof(DocumentSettings, proportionalDeviceFont) == 296, "layout");
static_assert(offsetof(DocumentSettings, renderParamA) == 360, "layout");
static_assert(offsetof(DocumentSettings, renderParamB) == 364, "layout");
static_assert(offsetof(DocumentSettings, reserved368) == 368, "layout");
static_assert(offsetof(DocumentSettings, memoryCode) == 376, "layout");
static_assert(offsetof(DocumentSettings, resolutionDpi) == 380, "layout");
static_assert(offsetof(DocumentSettings, reserved384) == 384, "layout");
static_assert(offsetof(DocumentSettings, driverCollate) == 386, "layout");
static_assert(offsetof(DocumentSettings, scalingMode) == 388, "layout");
static_assert(offsetof(DocumentSettings, scalingValue) == 390, "layout");
static_assert(offsetof(DocumentSettings, targetPaperLength) == 392, "layout");
static_assert(offsetof(DocumentSettings, targetPaperWidth) == 394, "layout");
static_assert(offsetof(DocumentSettings, bookletOutput) == 396, "layout");
static_assert(offsetof(DocumentSettings, reserved398) == 398, "layout");
static_assert(offsetof(DocumentSettings, pagesPerSheetCode) == 400, "layout");
static_assert(offsetof(DocumentSettings, reserved404) == 404, "layout");
static_assert(offsetof(DocumentSettings, reserved424) == 424, "layout");
static_assert(offsetof(DocumentSettings, renderTextLong) == 428, "layout");
static_assert(offsetof(DocumentSettings, renderTextShort) == 556, "layout");
static_assert(offsetof(DocumentSettings, reserved620) == 620, "layout");
static_assert(offsetof(DocumentSettings, renderParamC) == 640, "layout");
static_assert(offsetof(DocumentSettings, renderParamD) == 644, "layout");
static_assert(offsetof(DocumentSettings, renderWordTable) == 648, "layout");
static_assert(offsetof(DocumentSettings, reserved684) == 684, "layout");
static_assert(offsetof(DocumentSettings, jobIdentification) == 696, "layout");
static_assert(offsetof(DocumentSettings, pjlHeader) == 824, "layout");
static_assert(offsetof(DocumentSettings, pjlTrailer) == 1464, "layout");
static_assert(offsetof(DocumentSettings, reserved1720) == 1720, "layout");
static_assert(offsetof(DocumentSettings, blackText) == 1802, "layout");
static_assert(offsetof(DocumentSettings, colorCount) == 1804, "layout");
static_assert(offsetof(DocumentSettings, reserved1806) == 1806, "layout");
static_assert(offsetof(DocumentSettings, reverseOrder) == 1810, "layout");
static_assert(offsetof(DocumentSettings, reserved1812) == 1812, "layout");
static_assert(offsetof(DocumentSettings, renderFlagWord) == 1824, "layout");
static_assert(offsetof(DocumentSettings, reserved1828) == 1828, "layout");
static_assert(offsetof(DocumentSettings, renderFinalMark) == 1880, "layout");
static_assert(offsetof(DocumentSettings, reserved1882) == 1882, "layout");

// Choice block.
static_assert(offsetof(DocumentSettings, choiceMagic) == 2040, "layout");
static_assert(offsetof(DocumentSettings, trueTypeAsGraphics) == 2044, "layout");
static_assert(offsetof(DocumentSettings, zoomEntry) == 2048, "layout");
static_assert(offsetof(DocumentSettings, reserved2050) == 2050, "layout");
static_assert(offsetof(DocumentSettings, handlingListChoice) == 2056, "layout");
static_assert(offsetof(DocumentSettings, reserved2058) == 2058, "layout");
static_assert(offsetof(DocumentSettings, sorterMode) == 2060, "layout");
static_assert(offsetof(DocumentSettings, orderChoice) == 2064, "layout");
static_assert(offsetof(DocumentSettings, tonerSaveByDriver) == 2068, "layout");
static_assert(offsetof(DocumentSettings, choiceParamA) == 2072, "layout");
static_assert(offsetof(DocumentSettings, reserved2074) == 2074, "layout");
static_assert(offsetof(DocumentSettings, choiceParamTriple) == 2078, "layout");
static_assert(offsetof(DocumentSettings, reserved2084) == 2084, "layout");
static_assert(offsetof(DocumentSettings, choiceParamB) == 2086, "layout");
static_assert(offsetof(DocumentSettings, reserved2088) == 2088, "layout");
static_assert(offsetof(DocumentSettings, trayCountSnapshot) == 2096, "layout");
static_assert(offsetof(DocumentSettings, reserved2098) == 2098, "layout");
static_assert(offsetof(DocumentSettings, userPaperWidth) == 2164, "layout");
static_assert(offsetof(DocumentSettings, userPaperLength) == 2166, "layout");
static_assert(offsetof(DocumentSettings, userPaperMetric) == 2168, "layout");
static_assert(offsetof(DocumentSettings, userSizeUnit) == 2172, "layout");
static_assert(offsetof(DocumentSettings, zoomPercent) == 2176, "layout");
static_assert(offsetof(DocumentSettings, nUpPosition) == 2178, "layout");
static_assert(offsetof(DocumentSettings, magnifyPaper) == 2180, "layout");
static_assert(offsetof(DocumentSettings, layoutMode) == 2182, "layout");
static_assert(offsetof(DocumentSettings, nUpPaper) == 2184, "layout");
static_assert(offsetof(DocumentSettings, reserved2186) == 2186, "layout");
static_assert(offsetof(DocumentSettings, choiceParamC) == 2188, "layout");
static_assert(offsetof(DocumentSettings, rotate) == 2192, "layout");
static_assert(offsetof(DocumentSettings, smoothing) == 2196, "layout");
static_assert(offsetof(DocumentSettings, useDeviceFonts) == 2200, "layout");
static_assert(offsetof(DocumentSettings, reserved2204) == 2204, "layout");
static_assert(offsetof(DocumentSettings, staple) == 2208, "layout");
static_assert(offsetof(DocumentSettings, reserved2210) == 2210, "layout");
static_assert(offsetof(DocumentSettings, duplexOn) == 2212, "layout");
static_assert(offsetof(DocumentSettings, duplexBinding) == 2216, "layout");
static_assert(offsetof(DocumentSettings, reserved2218) == 2218, "layout");
static_assert(offsetof(DocumentSettings, bindingMargin) == 2220, "layout");
static_assert(offsetof(DocumentSettings, tonerSave) == 2224, "layout");
static_assert(offsetof(DocumentSettings, booklet) == 2228, "layout");
static_assert(offsetof(DocumentSettings, bookletPaper) == 2230, "layout");
static_assert(offsetof(DocumentSettings, securityPrint) == 2232, "layout");
static_assert(offsetof(DocumentSettings, outputBin) == 2236, "layout");
static_assert(offsetof(DocumentSettings, reserved2238) == 2238, "layout");
static_assert(offsetof(DocumentSettings, shift) == 2240, "layout");
static_assert(offsetof(DocumentSettings, driverControlsSort) == 2244, "layout");
static_assert(offsetof(DocumentSettings, blackTextChoice) == 2248, "layout");
static_assert(offsetof(DocumentSettings, reserved2252) == 2252, "layout");

#endif
