// Hostile document names through a whole job: the job file must hold exactly
// one JOBNAME line, one quoted value on one line.
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/driver_interface.h"
#include "fuzz.h"

namespace {

std::wstring HostileName(FuzzRandom* random)
{
    const wchar_t special[] = {L'"', L'\r', L'\n', L'\t', 0x7F, 0x1B, 0x00AD, 0xD800, 0xDC00, 0xFFFF, 0x4E2D,
                               0x00E9, L'@', L'=', L'\\', 0x2028, 0xFEFF};
    std::wstring name;
    const uint32_t length = random->OneIn(8) ? random->Below(400) : random->Below(80);
    for (uint32_t i = 0; i < length; ++i) {
        switch (random->Below(3)) {
        case 0: name += random->Pick(special); break;
        case 1: name += static_cast<wchar_t>(1 + random->Below(0xFFFE)); break;
        default: name += static_cast<wchar_t>(L' ' + random->Below(95)); break;
        }
    }
    if (random->OneIn(6))
        name += L"\r\n@PJL SET JOBNAME=\"other\"\r\n";
    return name;
}

std::string FileText(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    char buffer[1024];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// One line: @PJL SET JOBNAME="<value>" CR LF, the value without quotes or
// line ends, at most 64 bytes.
bool OneJobNameLine(const std::string& text)
{
    const std::string start = "@PJL SET JOBNAME=\"";
    const std::string end = "\"\r\n";
    if (text.size() < start.size() + end.size() || text.compare(0, start.size(), start) != 0 ||
        text.compare(text.size() - end.size(), end.size(), end) != 0)
        return false;
    const std::string value = text.substr(start.size(), text.size() - start.size() - end.size());
    // A name may spell out a PJL command: inside the quotes, on the one
    // line, it is only text.
    return value.size() <= 64 && value.find_first_of("\"\r\n") == std::string::npos;
}

std::string Printable(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            snprintf(hex, sizeof(hex), "\\x%02X", c);
            shown += hex;
        }
    }
    return shown;
}

}  // namespace

void FuzzDocumentNames(const FuzzDriver& driver, const FuzzPrinter& printer, long long count, FuzzRandom* random,
                       FuzzReport* report)
{
    WCHAR folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
    const std::wstring jobFile = std::wstring(folder) + L"\\JOB" + std::to_wstring(GetCurrentProcessId());
    std::vector<BYTE> record(4088);
    LONG size = static_cast<LONG>(record.size());
    driver.convertDevMode(const_cast<wchar_t*>(printer.name.c_str()), nullptr,
                          reinterpret_cast<DEVMODEW*>(record.data()), &size, CDM_DRIVER_DEFAULT);
    const HDC dc = reinterpret_cast<HDC>(0x7070);
    fuzzStage = "document names: a whole job";
    for (long long input = 0; input < count; ++input) {
        fuzzInput = input;
        ++report->tried;
        std::vector<BYTE> settings = record;
        DOCEVENT_CREATEDCPRE create = {const_cast<wchar_t*>(L"MARTENUI"), const_cast<wchar_t*>(printer.name.c_str()),
                                       reinterpret_cast<DEVMODEW*>(settings.data()), FALSE};
        driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create, 0, nullptr);
        const std::wstring name = HostileName(random);
        DOCINFOW docInfo = {sizeof(docInfo), name.c_str(), nullptr, nullptr, 0};
        DOCINFOW* pointer = &docInfo;
        driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_STARTDOCPRE, sizeof(pointer), &pointer, 0, nullptr);
        driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_ENDPAGE, 0, nullptr, 0, nullptr);
        const std::string text = FileText(jobFile);
        if (!OneJobNameLine(text))
            report->Problem("the job file does not hold exactly one JOBNAME line: " + Printable(text));
        driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_ENDDOCPOST, 0, nullptr, 0, nullptr);
        driver.documentEvent(printer.handle, dc, DOCUMENTEVENT_DELETEDC, 0, nullptr, 0, nullptr);
        if (GetFileAttributesW(jobFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            report->Problem("the job file outlived its document");
    }
}
